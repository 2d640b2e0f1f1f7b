#!/bin/sh
# The manual page maker refuses what would let a page drift from its
# program: a layout of --help it does not know, an option the page names
# that --help does not list, a block of --help the page leaves out.
set -eu
maker="$(cd "$(dirname "$0")/../../packaging/man" && pwd)/make-page.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
help='Usage: demo [options] FILE
Plays a demo.

Options:
  --runs <N>  Number of
              passes.

Exit status:
  0  the run ended'
page='@SYNOPSIS@
@DESCRIPTION@
@OPTIONS@
@EXIT_STATUS@
See \-\-runs.'

# make HELP PAGE: makes the page of a program whose --help prints HELP.
make() {
    printf '#!/bin/sh\ncat <<"END"\n%s\nEND\n' "$1" >"$work/demo"
    chmod +x "$work/demo"
    printf '%s\n' "$2" >"$work/demo.1.in"
    sh "$maker" "$work/demo" "$work/demo.1.in" 1.0 2026-01-01 "$work/demo.1.gz" 2>/dev/null
}
make "$help" "$page"
zcat "$work/demo.1.gz" | grep -qxF '\fB\-\-runs\fR \fIN\fR'
zcat "$work/demo.1.gz" | grep -qxF 'Number of passes.'
for case in "unknown block|$help

Environment:
  HOME  the home folder|$page" \
    "unknown option|$help|$page \-\-repeat" \
    "block left out|$help|$(echo "$page" | grep -v EXIT_STATUS)" \
    "placeholder without block|$(echo "$help" | sed '/^Exit status:/,$d')
|$page"; do
    name=${case%%|*}
    rest=${case#*|}
    if make "${rest%%|*}" "${rest#*|}"; then
        echo "FAIL: the page was made despite: $name"
        exit 1
    fi
done
echo "PASS: the page maker refuses pages that would drift from --help"
