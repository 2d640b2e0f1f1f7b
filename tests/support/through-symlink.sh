#!/bin/sh
# Runs PROGRAM through a symbolic link to it, from an empty working folder.
# Usage: through-symlink.sh PROGRAM [ARGUMENTS...]
set -eu
program=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/elsewhere"
ln -s "$program" "$work/bin/$(basename "$program")"
cd "$work/elsewhere"
"$work/bin/$(basename "$program")" "$@"
