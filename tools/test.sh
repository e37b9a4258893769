#!/usr/bin/env bash
# Builds every preset and runs all of its tests: unit tests natively under the sanitizers,
# Windows unit and integration tests under wine, and each parser's fuzzing harness briefly
# (a minute in all; tools/fuzz.sh runs them long). A test that was skipped fails the run
# (every test here can run on this machine), and every process start that was repeated
# because wine failed it is listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
status=0
skips=""
retries=""
for preset in host windows-x64 windows fuzz; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  testing=build/$preset/Testing
  mkdir -p "$testing"
  rm -f "$testing/process-retries.log"
  ctest --preset "$preset" 2>&1 | tee "$testing/ctest-output.log" || status=1
  if grep -Eq '\*\*\*Skipped|\*\*\*Not Run' "$testing/ctest-output.log"; then
    status=1
    skips+="$(grep -E '\*\*\*Skipped|\*\*\*Not Run' "$testing/ctest-output.log")"$'\n'
    # Why: the test program's own words (GoogleTest prints "file:line: Skipped" and the reason).
    skips+="$(grep -h -A1 ': Skipped$' "$testing/Temporary/LastTest.log" || true)"$'\n'
  fi
  if [ -s "$testing/process-retries.log" ]; then
    retries+="$(cat "$testing/process-retries.log")"$'\n'
  fi
done
if [ -n "$skips" ]; then
  echo "== skipped tests (a skip fails the run):"
  printf '%s' "$skips"
fi
echo "== process starts repeated because wine failed them: $(printf '%s' "$retries" | grep -c . || true)"
printf '%s' "$retries"
echo "== test logs: build/<preset>/Testing/Temporary/LastTest.log"
exit $status
