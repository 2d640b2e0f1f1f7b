#!/usr/bin/env bash
# Builds the OpenCV for Windows that the Windows build uses
# (opencv-mingw64.tar.xz): OpenCV 4.6.0, the version of Debian 12's
# libopencv-imgproc-dev, with its core and imgproc modules only, as static
# release libraries for 64-bit Windows, cross-built with mingw-w64 from
# Debian 12's own opencv source. About ten minutes on two cores.
# Usage: build-opencv-mingw.sh [--configure-only]
#   WORK   the folder it builds in (default /tmp/kestrun-opencv-mingw)
#   PREFIX where OpenCV is installed before packing (default /opt/opencv-mingw64)
# --configure-only stops once CMake has configured the build and printed what
# it found.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=${WORK:-/tmp/kestrun-opencv-mingw}
prefix=${PREFIX:-/opt/opencv-mingw64}
version=4.6.0
source=opencv-$version

# zlib for Windows, linked statically; the package names it by its path.
"$here/deps.sh" g++-mingw-w64-x86-64-posix libz-mingw-w64-dev xz-utils
mkdir -p "$work"
cd "$work"
# shellcheck source=debian-source.sh
source "$here/debian-source.sh"
ls opencv_$version+dfsg.orig.tar.xz >/dev/null 2>&1 || debian_source opencv
# The dfsg tarball has no 3rdparty/ folder, so nothing bundled can be built.
rm -rf "$source"
tar -xJf opencv_$version+dfsg.orig.tar.xz


# Off, so that nothing is downloaded and nothing else is linked: the
# performance libraries, every codec and every GUI back end. No parallel
# framework either: the functions run on the calling thread. The CPU baseline
# is SSE3, with OpenCV's run-time dispatch above it.
off=(
    BUILD_SHARED_LIBS BUILD_ZLIB BUILD_TESTS BUILD_PERF_TESTS BUILD_EXAMPLES BUILD_DOCS
    BUILD_opencv_apps BUILD_JAVA BUILD_opencv_python2 BUILD_opencv_python3 BUILD_opencv_js
    WITH_IPP WITH_ITT WITH_OPENCL WITH_OPENCLAMDFFT WITH_OPENCLAMDBLAS WITH_TBB WITH_OPENMP
    WITH_PTHREADS_PF WITH_HPX WITH_EIGEN WITH_LAPACK WITH_PROTOBUF WITH_ADE WITH_QUIRC
    WITH_FFMPEG WITH_GSTREAMER WITH_DSHOW WITH_MSMF WITH_1394 WITH_VA WITH_VA_INTEL
    WITH_JPEG WITH_PNG WITH_TIFF WITH_WEBP WITH_OPENJPEG WITH_JASPER WITH_OPENEXR WITH_GDAL
    WITH_GDCM WITH_IMGCODEC_HDR WITH_IMGCODEC_SUNRASTER WITH_IMGCODEC_PXM WITH_IMGCODEC_PFM
    WITH_GTK WITH_WIN32UI WITH_QT WITH_VTK WITH_DIRECTX
    OPENCV_GENERATE_PKGCONFIG OPENCV_ENABLE_NONFREE ENABLE_PRECOMPILED_HEADERS
)
options=()
for option in "${off[@]}"; do
    options+=("-D$option=OFF")
done
rm -rf build
cmake -S "$source" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-compilers.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_LIST=core,imgproc -DCPU_BASELINE=SSE3 \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    "${options[@]}" | tee configure.log
if [ "${1:-}" = --configure-only ]; then
    exit 0
fi
nice cmake --build build --parallel "$(nproc)"
rm -rf "$prefix"
cmake --install build

# The cascade data is not needed; the licences ship with the program.
rm -rf "$prefix/share/opencv4"
mkdir -p "$prefix/licenses"
cp "$source/LICENSE" "$prefix/licenses/opencv-LICENSE.txt"
cp /usr/share/doc/libz-mingw-w64-dev/copyright "$prefix/licenses/zlib-copyright.txt"
tar -C "$(dirname "$prefix")" -cJf "$work/opencv-mingw64.tar.xz" "$(basename "$prefix")"
echo "build-opencv-mingw: $work/opencv-mingw64.tar.xz"
