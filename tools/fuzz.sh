#!/usr/bin/env bash
# Runs the parsers' fuzzing harnesses long, one after another, each in one process (one core),
# on the corpus that the short runs of tools/test.sh grow as well. Each line of the summary
# gives the executions and whether the harness found anything; findings and each harness's
# log land in build/fuzz/fuzz/findings/.
#   tools/fuzz.sh                 every harness, 1 000 000 executions each
#   tools/fuzz.sh 5000000 decimal version
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
folder=build/fuzz/fuzz
if [ $# -eq 0 ]; then
  set -- $(cd "$folder" && ls fuzz_* | sed 's/^fuzz_//')
fi
status=0
for name in "$@"; do
  log="$folder/findings/$name.log"
  start=$(date +%s)
  if nice "$folder/fuzz_$name" -runs="$runs" -max_len=4096 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$folder/findings/$name-" \
      "$folder/corpus/$name" "$folder/seeds/$name" >"$log" 2>&1; then
    outcome="no finding"
  else
    outcome="FINDING (see $log)"
    status=1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "$name: ${executions:-?} executions in $(( $(date +%s) - start )) s, $outcome"
done
exit $status
