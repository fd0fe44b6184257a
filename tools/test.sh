#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything with warnings as errors and runs the tests,
# once in a plain build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
jobs=$(nproc)

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DTB_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build/asan -DCMAKE_BUILD_TYPE=Debug -DTB_SANITIZE=ON
run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
