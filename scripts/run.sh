#!/usr/bin/env bash
# Installs what is missing, builds Kestrun and starts it. A project file given
# as an argument is opened; a relative path means the folder you are in.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
(
    cd "$repo"
    scripts/deps.sh
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUN_BUILD_TESTS=OFF
    cmake --build build
)
exec "$repo/build/bin/kestrun" "$@"
