# Cross-compiles Kestrun for 64-bit Windows with Debian's mingw-w64 (posix
# threads, so std::thread works) against the Qt for Windows in
# KESTRUN_QT_MINGW, the unpacked qt6-mingw64 folder. Qt's host tools (moc,
# rcc) come from the build machine's own Qt of the same version.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Passed on to the compiler checks, which run with a fresh cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRUN_QT_MINGW)
if(NOT KESTRUN_QT_MINGW)
    message(FATAL_ERROR "Set KESTRUN_QT_MINGW to the unpacked qt6-mingw64 folder")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KESTRUN_QT_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr CACHE PATH "Qt of the build machine, for moc and rcc")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
    "CMake packages of the build machine's Qt")
