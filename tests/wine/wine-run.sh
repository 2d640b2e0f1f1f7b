#!/usr/bin/env bash
# Runs a Windows program in the Wine session that wine-session.sh started.
# Usage: wine-run.sh SESSION_FOLDER PROGRAM [ARGUMENTS...]
# With KESTRUN_QTEST_LOG set the program is a Qt test: without a console,
# Qt would send its log to the debugger, so it is written to a file and shown
# here when the test ends.
set -uo pipefail
session=$1
shift
if [ ! -f "$session/wine" ]; then
    echo "wine-run: no Wine session in $session (run the wine_session_start test first)" >&2
    exit 1
fi
export WINEPREFIX=$session/prefix
export WINEDEBUG=${WINEDEBUG:--all}
DISPLAY=$(cat "$session/display")
export DISPLAY
wine=$(cat "$session/wine")

if [ -z "${KESTRUN_QTEST_LOG:-}" ]; then
    exec "$wine" "$@"
fi
log=$(mktemp "$session/qtest-XXXXXX.log")
"$wine" "$@" -o "Z:${log//\//\\},txt"
status=$?
cat "$log"
rm -f "$log"
exit "$status"
