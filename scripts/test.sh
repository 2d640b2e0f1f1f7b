#!/usr/bin/env bash
# Installs what is missing, builds Kestrun with warnings as errors and runs
# every test. Tests that need a display start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUN_WERROR=ON
cmake --build build-tests
cd build-tests
ctest --output-on-failure --timeout 300 "$@"
cd ..
# The Debian package is built and checked unpacked in a temporary folder; an
# installed Kestrun is left as it is.
scripts/package-check.sh build-tests
