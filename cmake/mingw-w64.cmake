# Cross-compiles Kestrun for 64-bit Windows with Debian's mingw-w64 against
# the Qt for Windows in KESTRUN_QT_MINGW, the unpacked qt6-mingw64 folder, and
# the static OpenCV in KESTRUN_OPENCV_MINGW, the unpacked opencv-mingw64
# folder. Qt's host tools (moc, rcc) come from the build machine's own Qt of
# the same version.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# Passed on to the compiler checks, which run with a fresh cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRUN_QT_MINGW KESTRUN_OPENCV_MINGW)
if(NOT KESTRUN_QT_MINGW)
    message(FATAL_ERROR "Set KESTRUN_QT_MINGW to the unpacked qt6-mingw64 folder")
endif()
if(NOT KESTRUN_OPENCV_MINGW)
    message(FATAL_ERROR "Set KESTRUN_OPENCV_MINGW to the unpacked opencv-mingw64 folder")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH ${KESTRUN_QT_MINGW} ${KESTRUN_OPENCV_MINGW})
set(OpenCV_DIR ${KESTRUN_OPENCV_MINGW}/lib/cmake/opencv4 CACHE PATH "OpenCV's CMake package")

set(QT_HOST_PATH /usr CACHE PATH "Qt of the build machine, for moc and rcc")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
    "CMake packages of the build machine's Qt")
