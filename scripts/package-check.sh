#!/usr/bin/env bash
# Builds the Debian package and checks it without touching the system: its
# control data and contents with dpkg-deb, the programs unpacked into a
# temporary folder and started from there, and lintian, which must report no
# error and no warning (an override needs its reason, in packaging/). Only
# with CI=true, and only when nothing named kestrun is installed, the package
# is also installed with apt as an upgrade of the 1.4 package, its commands,
# manual pages and bash completion are used from the system, and it is
# purged again.
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
program_folder=/usr/lib/kestrun
programs=$(cat "$build/packaging/programs.txt")
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
# The linker keeps OpenCV only where a program calls it.
if objdump -p "$build/bin/kestrun" | grep -q "NEEDED.*libopencv_imgproc"; then
    field Depends | grep -q "libopencv-imgproc406" || fail "the OpenCV libraries are not worked out"
fi
field Recommends | grep -q "ca-certificates" || fail "ca-certificates is not recommended"

contents=$(dpkg-deb --contents "$package")
bad_folders=$(grep '^d' <<<"$contents" | grep -v '^drwxr-xr-x root/root ' || true)
[ -z "$bad_folders" ] || fail "folders not 0755 root/root:"$'\n'"$bad_folders"
for program in $programs; do
    grep -q " \./usr/bin/$program -> \.\./lib/kestrun/$program\$" <<<"$contents" ||
        fail "/usr/bin/$program is not a link to $program_folder/$program"
done
! grep ' \./opt/' <<<"$contents" || fail "the package uses /opt"

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
    icons/hicolor/48x48/apps/kestrun.png doc/kestrun/copyright doc/kestrun/changelog.gz \
    bash-completion/completions/kestrun-play $(printf 'man/man1/%s.1.gz ' $programs); do
    [ -s "$root/usr/share/$file" ] || fail "/usr/share/$file is missing"
done
desktop-file-validate "$root/usr/share/applications/kestrun.desktop"
grep -qx "Exec=\"$program_folder/kestrun\" %f" "$root/usr/share/applications/kestrun.desktop" ||
    fail "the desktop entry does not start $program_folder/kestrun"

for program in $programs; do
    if ldd "$folder/$program" | grep -q "not found"; then
        ldd "$folder/$program" >&2
        fail "$program misses libraries"
    fi
done

# Started from elsewhere: the unpacked programs run on the system's libraries
# alone.
for program in $programs; do
    shown=$(cd / && QT_QPA_PLATFORM=offscreen "$folder/$program" --version 2>/dev/null) ||
        fail "$program --version failed"
    [ "$shown" = "$program $version" ] || fail "$program --version says $shown"
    echo "unpacked $shown"
done
# The window program must come up and stay up. Its own folders keep it away
# from the user's settings and running Kestrun.
home="$root/home"
mkdir -m 700 "$home"
status=0
(cd / && HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home \
    QT_QPA_PLATFORM=offscreen timeout 3 "$folder/kestrun") || status=$?
[ "$status" -eq 124 ] || fail "kestrun exited with status $status instead of staying up"
echo "unpacked kestrun started and stayed up"

# lintian takes a while. Nothing is overridden: an override would ship in
# the package from packaging/, with a comment saying why.
command -v lintian >/dev/null || fail "lintian is missing: scripts/deps.sh installs it"
timeout 300 lintian --fail-on error,warning "$package" || fail "lintian reports the package"
echo "lintian reports nothing"

# The 1.4 package from the 1.4 tree's own packaging, filled with this build's
# programs: an upgrade hangs on the packages' files, links and control data,
# not on what the programs do, so nothing is compiled twice. A shallow clone
# fetches the commit.
old_package() {
    local commit=5fa25917f67bfba575a4ec3972bf457d6c626130 old="$PWD/$build/kestrun-1.4"
    git cat-file -e "$commit^{commit}" 2>/dev/null || git fetch -q --depth 1 origin "$commit" ||
        fail "the 1.4 package is made from commit $commit, which this clone cannot reach"
    rm -rf "$old"
    mkdir -p "$old/source" "$old/build/bin"
    git archive "$commit" | tar -x -C "$old/source"
    cmake -S "$old/source" -B "$old/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKESTRUN_BUILD_TESTS=OFF >/dev/null
    cp "$build/bin/kestrun" "$build/bin/kestrun-play" "$old/build/bin/"
    (cd "$old/build" && umask 0022 && cpack -G DEB >/dev/null)
    echo "$old/build/kestrun_1.4_amd64.deb"
}

installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' '*kestrun*' 2>/dev/null |
    grep '^.i' || true)
if [ "${CI:-}" = true ] && [ -z "$installed" ] && ! command -v kestrun >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    apt_get() {
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 \
            -y -qq "$@" >/dev/null
    }
    old=$(old_package)
    purge() {
        apt_get purge kestrun 2>/dev/null || true
        rm -rf "$root"
    }
    trap purge EXIT
    apt_get install --no-install-recommends "$old"
    [ "$(readlink /usr/bin/kestrun)" = /opt/kestrun/kestrun ] || fail "1.4 is not in /opt"
    apt_get install --no-install-recommends "$package"
    [ "$(dpkg-query -W -f='${Version}' kestrun)" = "$version" ] || fail "no upgrade to $version"
    [ ! -e /opt/kestrun ] || fail "the upgrade left /opt/kestrun: $(find /opt/kestrun)"
    [ "$(readlink -f "$(command -v kestrun)")" = $program_folder/kestrun ] ||
        fail "kestrun on the PATH is not $program_folder/kestrun"
    played=$(cd / && kestrun-play --version) || fail "kestrun-play from the PATH failed"
    echo "upgraded from 1.4: $played"
    for program in $programs; do
        page=$(MANPAGER=cat MANWIDTH=80 man "$program" 2>&1) || fail "man $program: $page"
        grep -q "^EXIT STATUS" <<<"$page" || fail "man $program shows no exit status"
    done
    completion=$(bash -c '. /usr/share/bash-completion/bash_completion
        _completion_loader kestrun-play; complete -p kestrun-play') || true
    [ "$completion" = "complete -F _kestrun_play kestrun-play" ] ||
        fail "bash-completion does not find the completion of kestrun-play"
    echo "man shows the page of each program; bash completes kestrun-play"
    apt_get purge kestrun
    [ ! -e $program_folder ] || fail "the purge left $program_folder"
fi
echo "package check passed"
