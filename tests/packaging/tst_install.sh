#!/bin/sh
# Installs the build into a folder whose name holds a blank and a dollar sign,
# with the system prefix beside it, then checks what a user meets: the
# commands on the PATH start the programs from any folder, the desktop entry
# starts the program and opens .cmdat files, and uninstall leaves nothing.
# Usage: tst_install.sh BUILD_FOLDER PROJECT_VERSION
set -eu
build=$(cd "$1" && pwd)
version=$2
uninstall="$(cd "$(dirname "$0")/../../packaging" && pwd)/uninstall.cmake"
work=$(mktemp -d)
manifest="$build/install_manifest.txt"
# The build's own manifest, if any, is put back afterwards.
[ ! -f "$manifest" ] || cp -p "$manifest" "$work/manifest"
restore() {
    if [ -f "$work/manifest" ]; then cp -p "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap restore EXIT
folder="$work/my \$apps/kestrun"
system="$work/usr"
type=application/x-kestrun-project

KESTRUN_INSTALL_SYSTEM_PREFIX=$system cmake --install "$build" --prefix "$folder" >/dev/null

mkdir "$work/elsewhere"
cd "$work/elsewhere"
[ "$(readlink "$system/bin/kestrun")" = "$folder/kestrun" ]
[ "$("$system/bin/kestrun-play" --version 2>/dev/null)" = "kestrun-play $version" ]

entry="$system/share/applications/kestrun.desktop"
desktop-file-validate "$entry"
# The key file doubles the backslash that escapes the dollar sign.
grep -qxF "Exec=\"$work/my \\\\\$apps/kestrun/kestrun\" %f" "$entry"
grep -qx "MimeType=$type;" "$entry"
grep -q "^50:$type:\*\.cmdat$" "$system/share/mime/globs2"
grep -qx "$type application/json" "$system/share/mime/subclasses"
echo "PASS: installed; the commands and the desktop entry start the programs"

cmake -DMANIFEST="$manifest" -P "$uninstall" >/dev/null
[ ! -e "$folder" ]
left=$(find "$system" \( -type f -o -type l \) ! -path "*/share/mime/*" ! -name mimeinfo.cache)
[ -z "$left" ] || { echo "left after uninstall: $left"; exit 1; }
! grep -q "$type" "$system/share/mime/globs2"
echo "PASS: uninstall removed every installed file"
