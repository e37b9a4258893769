#!/usr/bin/env bash
# Builds every preset and runs all of its tests: unit tests natively under the sanitizers,
# Windows unit and integration tests under wine, and each parser's fuzzing harness briefly
# (a minute in all; tools/fuzz.sh runs them long). A test that was skipped fails the run
# (every test here can run on this machine), and every process start that was repeated
# because wine failed it is listed at the end.
#
# Some machines cannot execute 32-bit x86 code at all, wine's 32-bit loader included. There the
# 32-bit preset is still built, and its checks of the built images run, but its tests under
# wine cannot; the closing block says so and names the tests that exist in 32-bit only.
# TS_NO_X86=1 makes any machine behave as such a one.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

x86_runs=yes
if [ "${TS_NO_X86:-}" = 1 ]; then
  x86_runs=no
  x86_why="TS_NO_X86=1 was set"
elif ! x86_why=$( (/usr/lib/wine/wine --version) 2>&1); then
  x86_runs=no
fi

status=0
skips=""
retries=""
counts=""
for preset in host windows-x64 windows fuzz; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  testing=build/$preset/Testing
  mkdir -p "$testing"
  rm -f "$testing/process-retries.log"
  only=()
  if [ "$preset" = windows ] && [ $x86_runs = no ]; then
    only=(-LE wine)  # what needs no 32-bit program: the checks of the built images
  fi
  ctest --preset "$preset" "${only[@]+"${only[@]}"}" 2>&1 | tee "$testing/ctest-output.log" ||
    status=1
  counts+="$preset: $(grep -E 'tests passed' "$testing/ctest-output.log" || echo 'no result')"$'\n'
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
echo "== tests run per preset:"
printf '%s' "$counts"
if [ $x86_runs = no ]; then
  not_run=$(ctest --test-dir build/windows -N -L wine | sed -n 's/^Total Tests: //p')
  echo "== 32-bit tests built but NOT RUN: this machine cannot run 32-bit programs under wine"
  echo "   ($x86_why)."
  echo "   The windows preset's $not_run tests under wine were left out; all but the following"
  echo "   also exist in windows-x64 and ran there. Only in the 32-bit build:"
  tools/list-x86-only-tests build/windows build/windows-x64 | sed 's/^/     /'
fi
echo "== test logs: build/<preset>/Testing/Temporary/LastTest.log"
exit $status
