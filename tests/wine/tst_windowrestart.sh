#!/usr/bin/env bash
# Five times: start the window and see it take the lock, then kill everything
# and restart the Wine server, which hands out the same small process ids
# again (the next window may get the very id its lock names).
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
    for _ in $(seq 150); do [ "$lock" -nt "$session/marker" ] && break; sleep 0.2; done
    [ "$lock" -nt "$session/marker" ] && taken=yes || taken=no
    echo "start $start: lock of process $(head -1 "$lock" 2>/dev/null), taken: $taken"
    "$here/wine-session.sh" restart "$session"
    wait
    if [ "$taken" = no ] || [ ! -f "$lock" ]; then
        echo "FAIL: start $start" >&2
        exit 1
    fi
done
echo "window restarts: PASS"
