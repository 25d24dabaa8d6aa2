#!/usr/bin/env bash
# Builds the programs (not the tests) into the folder given (default: build):
# everything "cmake --install" installs, the manual pages included.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$here/build"}
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTROVA_TESTS=OFF -DKESTROVA_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
