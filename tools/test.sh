#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything with warnings as errors and runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
build=${TB_BUILD_DIR:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTB_WERROR=ON ${TB_CMAKE_ARGS:-}
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
