#!/usr/bin/env bash
# Runs the program as a person at the console would: answers each prompt
# only once it has arrived. A prompt left in the program's buffer while it
# waits for its answer never arrives, and the run fails after 30 seconds.
#
#   run_prompts.sh <command that starts the program>...
set -euo pipefail
coproc program { "$@"; }
# Bash forgets the coprocess's descriptors and pid once it has ended.
pid=$program_PID
exec {from}<&"${program[0]}" {to}>&"${program[1]}"
for step in "Please enter a first name: =John" \
  "Please enter a last name: =Smith" "Please enter a tuition amount: =975.5"; do
  prompt=${step%=*}
  got=
  IFS= read -r -t 30 -N ${#prompt} got <&"$from" || true
  if [ "$got" != "$prompt" ]; then
    echo "waited in vain for \"$prompt\"; got \"$got\"" >&2
    exit 1
  fi
  echo "${step#*=}" >&"$to"
done
records=$(cat <&"$from")
wait "$pid"
echo "each prompt arrived before its answer was typed; then:$records"
