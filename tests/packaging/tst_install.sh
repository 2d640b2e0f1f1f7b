#!/bin/sh
# Installs the build under a prefix whose name holds a blank and a dollar
# sign, then checks what a user meets: the commands in bin/ start the
# programs from any folder, the desktop entry starts the program and opens
# .cmdat files, man finds the pages, bash completes kestrun-play and
# kestrun-record, and
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
for command in kestrun-play kestrun-record; do
    [ "$("$prefix/bin/$command" --version 2>/dev/null)" = "$command $version" ]
done

entry="$prefix/share/applications/kestrun.desktop"
desktop-file-validate "$entry"
# The key file doubles the backslash that escapes the dollar sign.
grep -qxF "Exec=\"$work/my \\\\\$apps/lib/kestrun/kestrun\" %f" "$entry"
grep -qx "MimeType=$type;" "$entry"
grep -q "^50:$type:\*\.cmdat$" "$prefix/share/mime/globs2"
grep -qx "$type application/json" "$prefix/share/mime/subclasses"
echo "PASS: installed; the commands and the desktop entry start the programs"

for command in kestrun-play kestrun-record; do
    [ "$(MANPATH="$prefix/share/man" man -w $command)" = "$prefix/share/man/man1/$command.1.gz" ]
done
# Found where bash-completion looks under the prefix; options from --help,
# then folders and projects only.
mkdir folder
touch project.cmdat notes.txt
# completions COMMAND FUNCTION CALLS: what bash offers at each call of
# `complete WORDS...` in CALLS, one line each.
completions() {
    PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share" bash -c '
    . /usr/share/bash-completion/bash_completion
    command=$1 function=$2
    _completion_loader $command
    complete() {
        COMP_WORDS=($command "$@") COMP_CWORD=$# COMP_LINE="$command $*"
        COMP_POINT=${#COMP_LINE}
        $function $command "${COMP_WORDS[$#]}" "${COMP_WORDS[$# - 1]}"
        printf "%s\n" "${COMPREPLY[*]}"
    }
    eval "$3"' bash "$@" 2>/dev/null
}
offered=$(completions kestrun-play _kestrun_play 'complete --r && complete --exit n && complete ""')
[ "$offered" = "--runs --repeat
none
project.cmdat folder" ] || { echo "kestrun-play completions: $offered"; exit 1; }
offered=$(completions kestrun-record _kestrun_record \
    'complete --g && complete --gaps c && complete --force ""')
[ "$offered" = "--gaps
cap:
project.cmdat folder" ] || { echo "kestrun-record completions: $offered"; exit 1; }
echo "PASS: man finds the pages and bash completes kestrun-play and kestrun-record"

cmake -DMANIFEST="$manifest" -P "$uninstall" >/dev/null
[ ! -e "$prefix/lib/kestrun" ]
left=$(find "$prefix" \( -type f -o -type l \) ! -path "*/share/mime/*" ! -name mimeinfo.cache)
[ -z "$left" ] || { echo "left after uninstall: $left"; exit 1; }
! grep -q "$type" "$prefix/share/mime/globs2"
echo "PASS: uninstall removed every installed file"
