#!/usr/bin/env bash
# Builds Kestrun for 64-bit Windows on Debian 12: kestrun.exe and
# kestrun-play.exe, the program folder (BUILD/deploy), the portable zip
# Kestrun-<version>-win64.zip and the installer Kestrun-<version>-setup.exe.
# Installs what it needs, and unpacks the prebuilt Qt and OpenCV for Windows
# (../shared/qt-mingw/qt6-mingw64.tar.xz and
# ../shared/opencv-mingw/opencv-mingw64.tar.xz beside the repository, or
# KESTRUN_QT_MINGW_ARCHIVE and KESTRUN_OPENCV_MINGW_ARCHIVE) into the build
# folder, again whenever an archive's contents change.
# Usage: build-windows.sh [BUILD_FOLDER [CMAKE_OPTIONS...]]  (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
[ $# -gt 0 ] && shift
# OpenCV's CMake package names the static zlib of libz-mingw-w64-dev.
scripts/deps.sh g++-mingw-w64-x86-64-posix wine64 nsis libz-mingw-w64-dev
mkdir -p "$build"

# unpack ARCHIVE FOLDER: the archive holds FOLDER, unpacked into the build
# folder. By checksum, not by date: a copied or replaced archive may carry any
# date, and a build folder must never keep an older library.
unpack() {
    local archive=$1 folder=$2 checksum
    if [ ! -f "$archive" ]; then
        echo "build-windows: the archive $archive is missing" >&2
        exit 1
    fi
    checksum=$(sha256sum <"$archive" | cut -d' ' -f1)
    if [ "$(cat "$build/$folder/.unpacked" 2>/dev/null)" != "$checksum" ]; then
        rm -rf "${build:?}/$folder"
        # Fresh dates, so the build copies the new libraries beside the
        # programs even where the archive's files are older than the copies
        # there.
        tar -xJf "$archive" -C "$build" --touch
        echo "$checksum" >"$build/$folder/.unpacked"
    fi
}
unpack "${KESTRUN_QT_MINGW_ARCHIVE:-../shared/qt-mingw/qt6-mingw64.tar.xz}" qt6-mingw64
unpack "${KESTRUN_OPENCV_MINGW_ARCHIVE:-../shared/opencv-mingw/opencv-mingw64.tar.xz}" opencv-mingw64
folder=$(cd "$build" && pwd)

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DKESTRUN_QT_MINGW="$folder/qt6-mingw64" -DKESTRUN_OPENCV_MINGW="$folder/opencv-mingw64" \
    -DCMAKE_BUILD_TYPE=Release -DKESTRUN_WERROR=ON -DKESTRUN_BUILD_TESTS=OFF "$@"
cmake --build "$build"
cmake --build "$build" --target windows_packages
