#!/usr/bin/env bash
# The Windows part of the test suite: builds both programs and the tests for
# Windows, makes the zip and the installer, and runs the tests under Wine on
# an Xvfb display of their own (KESTRUN_WINE_DISPLAY, default :119).
set -euo pipefail
cd "$(dirname "$0")/.."
# The emoji font goes into the Wine prefix, as a Debian desktop has it.
scripts/deps.sh openbox fonts-noto-color-emoji
scripts/build-windows.sh build-windows-tests -DKESTRUN_BUILD_TESTS=ON \
    -DKESTRUN_TEST_DISPLAY="${KESTRUN_WINE_DISPLAY:-:119}"
cd build-windows-tests
ctest --output-on-failure --timeout 300 "$@"
