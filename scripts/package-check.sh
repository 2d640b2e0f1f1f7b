#!/usr/bin/env bash
# Builds the Debian package, installs it with apt and checks that the
# installed commands start from the PATH. Needs root or sudo. A package that
# was not installed before is removed again afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# An existing build folder (the test build) may be packaged as it is, which
# spares the test command a second full build.
build=${1:-build-package}
if [ $# -eq 0 ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUN_BUILD_TESTS=OFF \
        -DCMAKE_INSTALL_PREFIX=/opt/kestrun
fi
cmake --build "$build"
(cd "$build" && cpack -G DEB)
package=$(ls -t "$PWD/$build"/kestrun_*.deb | head -n 1)
echo "Package: $package"
dpkg-deb --info "$package" | sed -n '/Depends/p'

was_installed=no
dpkg-query -W -f='${Status}' kestrun 2>/dev/null | grep -q "install ok installed" && was_installed=yes
remove_package() {
    if [ "$was_installed" = no ]; then
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq kestrun >/dev/null || true
    fi
}
trap remove_package EXIT

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    --reinstall "$package"

fail() {
    echo "package check failed: $*" >&2
    exit 1
}

# Everything the program reads lies in its own folder.
for file in kestrun image/danger.png image/SystemTrayIcon.png \
    "licenses/ソフトウェア使用許諾契約書.txt" \
    "licenses/オープンソースソフトウェアに関する告知.txt" \
    "licenses/Qtライブラリの差替え又は再インストールに関する情報.txt" \
    "licenses/LGPLv3のライセンス文章.txt"; do
    [ -s "/opt/kestrun/$file" ] || fail "/opt/kestrun/$file is missing"
done
[ -f /usr/share/applications/kestrun.desktop ] || fail "the desktop entry is missing"
[ -f /usr/share/mime/packages/kestrun.xml ] || fail "the project file type is missing"
[ -f /usr/share/icons/hicolor/48x48/apps/kestrun.png ] || fail "the icon is missing"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate /usr/share/applications/kestrun.desktop
fi

for program in /opt/kestrun/kestrun /opt/kestrun/kestrun-play; do
    [ -e "$program" ] || continue
    if ldd "$program" | grep -q "not found"; then
        ldd "$program" >&2
        fail "$program misses libraries"
    fi
done

[ "$(command -v kestrun)" = /usr/bin/kestrun ] || fail "kestrun is not on the PATH"

if grep -qx kestrun-play "$build/packaging/launchers.txt"; then
    command -v kestrun-play >/dev/null || fail "kestrun-play is not on the PATH"
    version=$(cd / && kestrun-play --version) || fail "kestrun-play --version failed"
    echo "kestrun-play --version: $version"
else
    # The window program has no options: it must come up and stay up.
    home=$(mktemp -d)
    status=0
    (cd / && HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen \
        timeout 5 kestrun) || status=$?
    rm -rf "$home"
    [ "$status" -eq 124 ] || fail "kestrun exited with status $status instead of staying up"
    echo "kestrun started from the PATH and stayed up"
fi
echo "package check passed"
