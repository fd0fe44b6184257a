#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything with warnings as errors and runs the tests:
# the threaded build tests under ThreadSanitizer, the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the whole suite in an optimised build (whose warnings differ).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
jobs=$(nproc)

configure() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DTB_WERROR=ON "$@" >/dev/null
}

configure build/tsan -DCMAKE_BUILD_TYPE=Debug -DTB_SANITIZE_THREAD=ON -DTB_BUILD_GUI=OFF
cmake --build build/tsan -j "$jobs" --target build_run_tests
TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/build_run_tests

configure build/asan -DCMAKE_BUILD_TYPE=Debug -DTB_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

configure build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

