#!/usr/bin/env bash
# Builds the Debian package and checks it without touching the system: its
# control data and contents with dpkg-deb, then the programs unpacked into a
# temporary folder and started from there. lintian checks it too when it is
# installed. Only with CI=true, and only when nothing named kestrun is
# installed, the package is also installed with apt, started from the PATH
# and purged again.
# Usage: package-check.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."

# An existing plain build folder may be packaged as it is; a sanitized one is
# refused.
build=${1:-build-package}
if grep -qx "KESTRUN_SANITIZE:BOOL=ON" "$build/CMakeCache.txt" 2>/dev/null; then
    echo "package check: $build is built with sanitizers and is no package" >&2
    exit 1
fi
if [ $# -eq 0 ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUN_BUILD_TESTS=OFF
fi
cmake --build "$build"
# A umask that would leave folders group-writable: the package must not care.
(cd "$build" && umask 0002 && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
program_folder=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
package="$PWD/$build/kestrun_${version}_amd64.deb"
echo "Package: $package"

fail() {
    echo "package check failed: $*" >&2
    exit 1
}

info=$(dpkg-deb --info "$package")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = kestrun ] || fail "the package is not named kestrun"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), project $version"
field Depends | grep -q "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic" ||
    fail "the package does not depend on a CJK font"
field Depends | grep -q "libqt6widgets6" || fail "the Qt libraries are not worked out"
field Recommends | grep -q "ca-certificates" || fail "ca-certificates is not recommended"

contents=$(dpkg-deb --contents "$package")
bad_folders=$(grep '^d' <<<"$contents" | grep -v '^drwxr-xr-x root/root ' || true)
[ -z "$bad_folders" ] || fail "folders not 0755 root/root:"$'\n'"$bad_folders"
for program in $(cat "$build/packaging/programs.txt"); do
    grep -q " \./usr/bin/$program -> $program_folder/$program\$" <<<"$contents" ||
        fail "/usr/bin/$program is not a link to $program_folder/$program"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
folder="$root$program_folder"
for file in image/danger.png image/SystemTrayIcon.png \
    "licenses/ソフトウェア使用許諾契約書.txt" \
    "licenses/オープンソースソフトウェアに関する告知.txt" \
    "licenses/Qtライブラリの差替え又は再インストールに関する情報.txt" \
    "licenses/LGPLv3のライセンス文章.txt"; do
    [ -s "$folder/$file" ] || fail "$program_folder/$file is missing"
done
for file in applications/kestrun.desktop mime/packages/kestrun.xml \
    icons/hicolor/48x48/apps/kestrun.png doc/kestrun/copyright; do
    [ -s "$root/usr/share/$file" ] || fail "/usr/share/$file is missing"
done
desktop-file-validate "$root/usr/share/applications/kestrun.desktop"
grep -qx "Exec=\"$program_folder/kestrun\" %f" "$root/usr/share/applications/kestrun.desktop" ||
    fail "the desktop entry does not start $program_folder/kestrun"

for program in $(cat "$build/packaging/programs.txt"); do
    if ldd "$folder/$program" | grep -q "not found"; then
        ldd "$folder/$program" >&2
        fail "$program misses libraries"
    fi
done

# Started from elsewhere, with the environment as it is: the unpacked
# programs run on the system's libraries alone.
if grep -qx kestrun-play "$build/packaging/programs.txt"; then
    played=$(cd / && "$folder/kestrun-play" --version) || fail "kestrun-play --version failed"
    [ "$played" = "kestrun-play $version" ] || fail "kestrun-play --version says $played"
    echo "unpacked $played"
fi
# The window program has no options: it must come up and stay up. Its own
# folders keep it away from the user's settings and running Kestrun.
home="$root/home"
mkdir -m 700 "$home"
status=0
(cd / && HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home \
    QT_QPA_PLATFORM=offscreen timeout 3 "$folder/kestrun") || status=$?
[ "$status" -eq 124 ] || fail "kestrun exited with status $status instead of staying up"
echo "unpacked kestrun started and stayed up"

# lintian takes seconds; the two tags are by design: the program lives in a
# folder of its own under /opt, and no Debian changelog is kept.
if command -v lintian >/dev/null; then
    timeout 60 lintian --fail-on error --suppress-tags dir-or-file-in-opt,no-changelog \
        "$package" || fail "lintian found errors"
fi

installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' '*kestrun*' 2>/dev/null |
    grep '^.i' || true)
if [ "${CI:-}" = true ] && [ -z "$installed" ] && ! command -v kestrun >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    purge() {
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq kestrun >/dev/null ||
            true
        rm -rf "$root"
    }
    trap purge EXIT
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
        --no-install-recommends "$package"
    [ "$(command -v kestrun)" = /usr/bin/kestrun ] || fail "kestrun is not on the PATH"
    played=$(cd / && kestrun-play --version) || fail "kestrun-play from the PATH failed"
    echo "installed $played"
fi
echo "package check passed"
