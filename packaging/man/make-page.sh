#!/bin/sh
# Writes a program's manual page, compressed as Debian wants it, from the
# page's source and the program's own --help (see help-to-roff.awk).
# Usage: make-page.sh PROGRAM SOURCE VERSION DATE OUTPUT
set -eu
program=$1
source=$2
output=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# What the program says on stderr (no display, say) matters only if it fails.
"$program" --help >"$work/help" 2>"$work/errors" || {
    cat "$work/errors" >&2
    exit 1
}
awk -v name="$(basename "$source" .1.in)" -v version="$3" -v date="$4" \
    -f "$(dirname "$0")/help-to-roff.awk" "$work/help" "$source" >"$work/page"
gzip -9n <"$work/page" >"$work/page.gz"
mv "$work/page.gz" "$output"
