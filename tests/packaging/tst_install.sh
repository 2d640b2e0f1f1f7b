#!/bin/sh
# Installs the build under a prefix whose name holds a blank and a dollar
# sign, then checks what a user meets: the commands in bin/ start the
# programs from any folder, the desktop entry starts the program and opens
# .cmdat files, man finds the pages, bash completes kestrun-play, and
# uninstall leaves nothing.
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
prefix="$work/my \$apps"
type=application/x-kestrun-project

cmake --install "$build" --prefix "$prefix" >/dev/null

mkdir "$work/elsewhere"
cd "$work/elsewhere"
[ "$(readlink "$prefix/bin/kestrun")" = ../lib/kestrun/kestrun ]
[ "$("$prefix/bin/kestrun-play" --version 2>/dev/null)" = "kestrun-play $version" ]

entry="$prefix/share/applications/kestrun.desktop"
desktop-file-validate "$entry"
# The key file doubles the backslash that escapes the dollar sign.
grep -qxF "Exec=\"$work/my \\\\\$apps/lib/kestrun/kestrun\" %f" "$entry"
grep -qx "MimeType=$type;" "$entry"
grep -q "^50:$type:\*\.cmdat$" "$prefix/share/mime/globs2"
grep -qx "$type application/json" "$prefix/share/mime/subclasses"
echo "PASS: installed; the commands and the desktop entry start the programs"

[ "$(MANPATH="$prefix/share/man" man -w kestrun-play)" = "$prefix/share/man/man1/kestrun-play.1.gz" ]
# Found where bash-completion looks under the prefix; options from --help,
# then folders and projects only.
mkdir folder
touch project.cmdat notes.txt
completions=$(PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share" bash -c '
    . /usr/share/bash-completion/bash_completion
    _completion_loader kestrun-play
    complete() {
        COMP_WORDS=(kestrun-play "$@") COMP_CWORD=$# COMP_LINE="kestrun-play $*"
        COMP_POINT=${#COMP_LINE}
        _kestrun_play kestrun-play "${COMP_WORDS[$#]}" "${COMP_WORDS[$# - 1]}"
        printf "%s\n" "${COMPREPLY[*]}"
    }
    complete --r && complete --exit n && complete ""' 2>/dev/null)
[ "$completions" = "--runs --repeat
none
project.cmdat folder" ] || { echo "completions: $completions"; exit 1; }
echo "PASS: man finds the pages and bash completes kestrun-play"

cmake -DMANIFEST="$manifest" -P "$uninstall" >/dev/null
[ ! -e "$prefix/lib/kestrun" ]
left=$(find "$prefix" \( -type f -o -type l \) ! -path "*/share/mime/*" ! -name mimeinfo.cache)
[ -z "$left" ] || { echo "left after uninstall: $left"; exit 1; }
! grep -q "$type" "$prefix/share/mime/globs2"
echo "PASS: uninstall removed every installed file"
