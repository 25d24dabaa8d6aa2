#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
dir="$here/build-test"
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTROVA_SANITIZE=ON \
  -DKESTROVA_WERROR=ON >/dev/null
cmake --build "$dir" -j "$(nproc)"
# Every binary file reader, fuzzed for a short while.
ASAN_OPTIONS=detect_leaks=0 KESTROVA_FUZZ_DIR="$dir/fuzz" "$here/fuzz/run.sh" 20

# The Win32 backend, cross-built and run under Wine (skipped where Wine cannot start).
"$here/scripts/test-wine.sh"

# The sanitizer options and the offscreen Qt platform are set per test by CTest
# (tests/CMakeLists.txt), so a plain ctest in build-test runs the same way.

cd "$dir"
ctest --output-on-failure -j "$(nproc)" --timeout 600
