#!/usr/bin/env bash
# Five times: start the window, check that it holds the lock by handing it a
# second start, then kill everything and restart the Wine server, which hands
# out the same small process ids again; the killed window's lock stays.
# Usage: tst_windowrestart.sh SESSION_FOLDER PROGRAM_FOLDER
set -uo pipefail
session=$1
kestrun=$2/kestrun.exe
here=$(cd "$(dirname "$0")" && pwd)
user=$("$here/wine-run.sh" "$session" cmd /c 'echo %USERNAME%' | tr -d '\r')
lock=$session/prefix/drive_c/users/$user/AppData/Local/kestrun/kestrun.lock
for start in 1 2 3 4 5; do
    touch "$session/marker"
    "$here/wine-run.sh" "$session" "$kestrun" >/dev/null 2>&1 &
    # The second start comes once the first has had its chance at the lock.
    for _ in $(seq 100); do [ "$lock" -nt "$session/marker" ] && break; sleep 0.2; done
    timeout 30 "$here/wine-run.sh" "$session" "$kestrun" || status=$?
    echo "start $start: lock of process $(head -1 "$lock" 2>/dev/null), second start ${status:-taken}"
    "$here/wine-session.sh" restart "$session"
    wait
    [ -z "${status:-}" ] && [ -f "$lock" ] || { echo "FAIL: start $start" >&2; exit 1; }
done
echo "window restarts: PASS"
