#!/usr/bin/env bash
# What a long first name costs the program, for names of the given sizes in
# MiB (default: 1 16 64):
#   - instructions per name byte, counted by valgrind --tool=callgrind
#     (repeatable, unlike wall-clock time);
#   - peak resident memory per name byte, from /usr/bin/time -f %M.
# Both figures are whole-run totals divided by the name's size, so start-up
# costs weigh on small names. Exits 1 if a run misses its target:
#   - at most 2 instructions per byte, for names of 32 MiB and more;
#   - peak memory at most 3.1 times the name plus 16 MiB, for every size.
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

missed=0
printf '%8s  %14s  %12s  %14s  %12s\n' "name MiB" instructions "instr/byte" "peak KiB" "peak/byte"
for mib in "${sizes[@]}"; do
  bytes=$((mib << 20))
  input=$work/input
  { head -c "$bytes" /dev/zero | tr '\0' a; printf '\nSmith\n975.5\n'; } >"$input"

  instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null \
    "$program" <"$input" 2>&1 >/dev/null | sed -n 's/.*Collected : *//p')
  peak_kib=$( { /usr/bin/time -f %M "$program" <"$input" >/dev/null; } 2>&1)

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
exit "$missed"
