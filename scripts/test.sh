#!/usr/bin/env bash
# Installs what is missing, builds Kestrun with warnings as errors and runs
# every test under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# fuzzers, the Debian package and the Windows build with its tests under Wine.
# Tests that need a display start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/test-sanitized.sh "$@"
scripts/fuzz.sh
# The Debian package is built from a plain build of the programs alone (never
# from the sanitized test build) and checked unpacked in a temporary folder;
# an installed Kestrun is left as it is.
scripts/package-check.sh
# The Windows build, its tests under Wine, the zip and the installer.
scripts/test-windows.sh
