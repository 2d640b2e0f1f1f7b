#!/usr/bin/env bash
# Builds the Qt for Windows that the Windows build unpacks
# (qt6-mingw64.tar.xz): Qt 6.4.2's qtbase (Core, Gui, Widgets, Network, Test,
# Concurrent, Xml; the windows, minimal and offscreen platform plugins, the
# windowsvista style, the schannel TLS backend, the gif, ico and jpeg image
# formats) as release DLLs for 64-bit Windows, cross-built with mingw-w64 from
# Debian 12's own qt6-base source. About an hour on two cores.
# Usage: build-qt-mingw.sh [--configure-only]
#   WORK   the folder it builds in (default /tmp/kestrun-qt-mingw)
#   PREFIX where Qt is installed before packing (default /opt/qt6-mingw64)
# --configure-only stops once Qt's configure has run and printed what it
# found.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=${WORK:-/tmp/kestrun-qt-mingw}
prefix=${PREFIX:-/opt/qt6-mingw64}
version=6.4.2
source=qtbase-everywhere-src-$version

# Host tools of the same version (moc, rcc, uic run on this machine).
"$here/deps.sh" g++-mingw-w64-x86-64-posix xz-utils
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [[ $host_version != $version+* ]]; then
    echo "build-qt-mingw: qt6-base-dev is $host_version, not Qt $version" >&2
    exit 1
fi

mkdir -p "$work"
cd "$work"
# shellcheck source=debian-source.sh
source "$here/debian-source.sh"
ls qt6-base_$version+dfsg.orig.tar.xz >/dev/null 2>&1 || debian_source qt6-base

# Debian's upstream tarball, without Debian's own patches (they are for its
# Linux packages), and with two changes of ours.
rm -rf "$source"
tar -xJf qt6-base_$version+dfsg.orig.tar.xz
# 1. Debian's source leaves out the non-free Wintab header, so the Windows
#    platform plugins are built without tablet input; QtGui keeps its tablet
#    API, so nothing else changes.
for plugin in windows direct2d; do
    sed -i 's/CONDITION QT_FEATURE_tabletevent/CONDITION FALSE/' \
        "$source/src/plugins/platforms/$plugin/CMakeLists.txt"
done
grep -rl 'QT_CONFIG(tabletevent)' "$source/src/plugins/platforms/windows" \
    | xargs sed -i 's/QT_CONFIG(tabletevent)/0/g'
# 2. The Windows font engine no longer crashes on fonts without outlines.
patch -d "$source" -p1 <"$here/patches/qt-windows-fontengine-no-outline.patch"

# Everything bundled comes from Qt's own copies, so nothing of the build
# machine's mingw libraries is linked in; no SQL, printing, OpenGL, D-Bus or
# ICU; TLS through Windows' own schannel.
rm -rf build
mkdir build
cd build
"../$source/configure" -prefix "$prefix" \
    -xplatform win32-g++ -qt-host-path /usr \
    -release -shared -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-icu -schannel -no-openssl \
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-doubleconversion \
    -no-feature-sql -no-feature-printsupport \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-compilers.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
if [ "${1:-}" = --configure-only ]; then
    exit 0
fi
nice cmake --build . --parallel "$(nproc)"
rm -rf "$prefix"
cmake --install .

# Relocatable: unpacked anywhere, it works from there.
tar -C "$(dirname "$prefix")" -cJf "$work/qt6-mingw64.tar.xz" "$(basename "$prefix")"
echo "build-qt-mingw: $work/qt6-mingw64.tar.xz"
