#!/usr/bin/env bash
# Installs what is missing, builds Kestrun and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUN_BUILD_TESTS=OFF
cmake --build build
# Started from its own folder so that image/ beside it resolves.
cd build/bin
exec ./kestrun "$@"
