#!/usr/bin/env bash
# Builds the deliverables of the 32-bit and 64-bit Windows presets into dist/, and nothing else:
# tests, test doubles and benchmarks are built by tools/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
for preset in windows windows-x64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target dist
done
echo "deliverables in $(pwd)/dist:"
ls -lR dist
