#!/usr/bin/env bash
# Compiles every Windows-only source with mingw-w64 against the Qt headers, so
# the Win32 code is checked on machines without Windows. Each file is compiled
# to an object (thrown away) with warnings as errors; nothing is linked.
# Usage: check-win32.sh [qtpaths]
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++
if ! command -v "$compiler" >/dev/null; then
    echo "check-win32: $compiler is missing (Debian package g++-mingw-w64-x86-64)" >&2
    exit 1
fi

qtpaths=${1:-$(command -v qtpaths6 || echo /usr/lib/qt6/bin/qtpaths6)}
qt_headers=$("$qtpaths" --query QT_INSTALL_HEADERS)

# Sources that only a Windows build compiles, and those with a Windows branch.
sources=(src/platform/win32/*.cpp src/platform/platform.cpp src/platform/foreground.cpp)

flags=(
    -std=c++20 -Wall -Wextra -Werror
    -DUNICODE -D_UNICODE -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB
    -Isrc
    -isystem "$qt_headers" -isystem "$qt_headers/QtCore"
    -isystem "$qt_headers/QtGui" -isystem "$qt_headers/QtWidgets"
)

failed=0
for source in "${sources[@]}"; do
    if ! "$compiler" "${flags[@]}" -c "$source" -o /dev/null; then
        echo "check-win32: $source does not compile for Windows" >&2
        failed=1
    fi
done
if [ "$failed" -eq 0 ]; then
    echo "check-win32: ${#sources[@]} sources compile for Windows"
fi
exit "$failed"
