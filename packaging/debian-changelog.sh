#!/bin/sh
# Writes the Debian changelog, compressed, from CHANGELOG.md: each
# "## VERSION (YYYY-MM-DD)" heading opens the entry of that version and date,
# each "- " item becomes a "  * " item and its indented lines follow it.
# Lines before the first heading are the file's introduction. Any other line
# fails, so the file keeps a shape both readers understand.
# Usage: debian-changelog.sh CHANGELOG.md MAINTAINER OUTPUT
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v maintainer="$2" '
function fail(why) {
    print "debian-changelog: line " FNR ": " why > "/dev/stderr"
    failed = 1
    exit 1
}
function close_entry(    command, stamp) {
    if (version == "")
        return
    if (!items)
        fail("version " version " lists nothing")
    command = "date -u -R -d " day
    if ((command | getline stamp) <= 0)
        fail("no date " day)
    close(command)
    print ""
    print " -- " maintainer "  " stamp
}
/^## / {
    close_entry()
    if (!match($0, /^## [0-9][0-9.]* \([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\)$/))
        fail("a heading is \"## VERSION (YYYY-MM-DD)\"")
    version = $2
    day = substr($3, 2, 10)
    items = 0
    if (started)
        print ""
    started = 1
    print "kestrun (" version ") stable; urgency=medium"
    print ""
    next
}
version == "" { next }
/^$/ { next }
{ gsub(/`/, "") }
/^- / { items++; print "  * " substr($0, 3); next }
/^  [^ ]/ && items { print "    " substr($0, 3); next }
{ fail("neither an item nor its continuation: " $0) }
END {
    if (failed)
        exit 1
    if (version == "")
        fail("no version")
    close_entry()
}
' "$1" >"$work/changelog"
gzip -9n <"$work/changelog" >"$work/changelog.gz"
mv "$work/changelog.gz" "$3"
