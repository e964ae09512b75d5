#!/usr/bin/env bash
# What a long first name costs the program, for names of the given sizes in
# MiB (default: 1 16 64), and what a long amount costs it (`1.`, 16 MiB of
# zeros, `1`):
#   - instructions per name or amount byte, counted by
#     valgrind --tool=callgrind (repeatable, unlike wall-clock time);
#   - peak resident memory, from /usr/bin/time -f %M.
# Both figures are whole-run totals, divided by the name's or the amount's
# size, so start-up costs weigh on small names. Exits 1 if a run misses its
# target:
#   - at most 2 instructions per byte, for names of 32 MiB and more;
#   - peak memory at most 3.1 times the name plus 16 MiB, for every size;
#   - at most 25 instructions per amount byte, and peak memory at most
#     16 MiB: the amount is read in one pass, in constant memory.
# Needs what building the program needs (cmake, ninja-build, g++; not
# GoogleTest: it builds without tests) plus valgrind and time.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 16 64)

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
program=build/release/app/student-dialogue

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sets `instructions` and `peak_kib` for the program on the file $1, the
# $2 (which names the input in a message). Each tool writes its figure to a
# file of its own, apart from the program's standard error; a run that fails,
# or a figure that is missing or not a whole number, stops the benchmark.
measure() {
  rm -f "$work/callgrind.log" "$work/time.log"
  valgrind --tool=callgrind --callgrind-out-file=/dev/null \
    --log-file="$work/callgrind.log" "$program" <"$1" >/dev/null 2>&1 || {
    echo "bench: the $2 failed under valgrind:" >&2
    cat "$work/callgrind.log" >&2
    exit 1
  }
  instructions=$(sed -n 's/.*Collected : *//p' "$work/callgrind.log" 2>&1) || true
  /usr/bin/time -o "$work/time.log" -f %M "$program" <"$1" >/dev/null 2>&1 || {
    echo "bench: the $2 failed under /usr/bin/time" >&2
    exit 1
  }
  peak_kib=$(cat "$work/time.log" 2>&1) || true
  whole "instruction count (valgrind --tool=callgrind)" "$instructions" "$2"
  whole "peak memory (/usr/bin/time -f %M)" "$peak_kib" "$2"
}

# Stops the benchmark unless the figure $2, named $1, for the $3 is a whole
# number.
whole() {
  [[ $2 =~ ^[0-9]+$ ]] || {
    echo "bench: no $1 for the $3: \"$2\"" >&2
    exit 1
  }
}

missed=0
printf '%8s  %14s  %12s  %14s  %12s\n' "name MiB" instructions "instr/byte" "peak KiB" "peak/byte"
for mib in "${sizes[@]}"; do
  bytes=$((mib << 20))
  input=$work/input
  { head -c "$bytes" /dev/zero | tr '\0' a; printf '\nSmith\n975.5\n'; } >"$input"

  measure "$input" "$mib MiB name"

  per_byte=$(awk -v n="$instructions" -v b="$bytes" 'BEGIN { printf "%.3f", n / b }')
  peak_per_byte=$(awk -v k="$peak_kib" -v b="$bytes" 'BEGIN { printf "%.3f", k * 1024 / b }')
  printf '%8s  %14s  %12s  %14s  %12s\n' "$mib" "$instructions" "$per_byte" "$peak_kib" "$peak_per_byte"

  if [ "$mib" -ge 32 ] && awk -v p="$per_byte" 'BEGIN { exit !(p > 2) }'; then
    echo "  over target: more than 2 instructions per name byte" >&2
    missed=1
  fi
  if awk -v k="$peak_kib" -v m="$mib" 'BEGIN { exit !(k > (3.1 * m + 16) * 1024) }'; then
    echo "  over target: peak memory above 3.1 times the name plus 16 MiB" >&2
    missed=1
  fi
done

amount_bytes=$(((16 << 20) + 3))
{ printf 'A\nB\n1.'; head -c $((16 << 20)) /dev/zero | tr '\0' 0; echo 1; } \
  >"$work/amount"
measure "$work/amount" "16 MiB amount"
per_byte=$(awk -v n="$instructions" -v b="$amount_bytes" \
  'BEGIN { printf "%.3f", n / b }')
printf '\n%14s  %14s  %12s  %14s\n' amount instructions "instr/byte" "peak KiB"
printf '%14s  %14s  %12s  %14s\n' "16 MiB" "$instructions" "$per_byte" \
  "$peak_kib"
if awk -v p="$per_byte" 'BEGIN { exit !(p > 25) }'; then
  echo "  over target: more than 25 instructions per amount byte" >&2
  missed=1
fi
if [ "$peak_kib" -gt $((16 << 10)) ]; then
  echo "  over target: peak memory above 16 MiB for the amount" >&2
  missed=1
fi
exit "$missed"
