#!/usr/bin/env bash
# Builds Kestrun and its tests with warnings as errors under AddressSanitizer
# and UndefinedBehaviorSanitizer and runs the whole suite: the X11 tests on an
# Xvfb that CTest starts, the ThreadSanitizer test under its own sanitizer.
# Any sanitizer report fails its test. Built at -O1 with line tables only:
# sanitized code at -O2 with full debug information compiles far slower, and
# file and line are all a report needs.
# Usage: test-sanitized.sh [CTEST OPTIONS...]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DKESTRUN_WERROR=ON -DKESTRUN_SANITIZE=ON
cmake --build build-tests
cd build-tests
ctest --output-on-failure --timeout 300 "$@"
