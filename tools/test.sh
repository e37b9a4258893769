#!/usr/bin/env bash
# Builds every preset and runs all of its tests: unit tests natively under the sanitizers,
# Windows unit and integration tests under wine, and each parser's fuzzing harness briefly
# (a minute in all; tools/fuzz.sh runs them long).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
status=0
for preset in host windows-x64 windows fuzz; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" || status=1
done
exit $status
