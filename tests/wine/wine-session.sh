#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests run in: an Xvfb display
# with openbox as window manager and a fresh Wine prefix.
# Usage: wine-session.sh start SESSION_FOLDER DISPLAY WINE
#        wine-session.sh restart SESSION_FOLDER
#        wine-session.sh stop SESSION_FOLDER
set -euo pipefail
action=$1
session=$2
here=$(cd "$(dirname "$0")" && pwd)

# wineserver sits beside the loader (wine64 -> wineserver64).
wineserver_of() {
    local server=${1/%wine64/wineserver64}
    [ -x "$server" ] || server=${1/%wine/wineserver}
    echo "$server"
}

# One server, kept up between the tests, with one session booted once: a
# second boot racing the first leaves Wine's RPC service dead, and every
# program using COM then waits ten seconds for it.
start_server() {
    local server
    server=$(wineserver_of "$wine")
    "$server" -k 2>/dev/null || true
    "$server" -w
    "$server" -p </dev/null >/dev/null 2>&1
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1
}

stop_session() {
    [ -f "$session/wine" ] || return 0
    local wine display
    wine=$(cat "$session/wine")
    display=$(cat "$session/display")
    WINEPREFIX=$session/prefix "$(wineserver_of "$wine")" -k 2>/dev/null || true
    if [ -f "$session/openbox.pid" ]; then
        kill "$(cat "$session/openbox.pid")" 2>/dev/null || true
    fi
    "$here/../xvfb.sh" stop "$display"
    rm -rf "$session"
}

case "$action" in
start)
    display=$3
    wine=$4
    stop_session
    mkdir -p "$session"
    echo "$display" >"$session/display"
    echo "$wine" >"$session/wine"
    "$here/../xvfb.sh" start "$display"
    DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
    echo $! >"$session/openbox.pid"
    for _ in $(seq 50); do
        DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
    export DISPLAY=$display WINEPREFIX=$session/prefix WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and their installers would ask.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
    # A display scaled to 150 %, as many Windows desktops are: logical and
    # physical pixels then differ, and the tests see which one arrives.
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    # A colour emoji font, as Debian desktops have: Qt's font fallback reaches
    # it, and a font without outlines once crashed Qt's Windows font engine.
    emoji=/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf
    if [ ! -f "$emoji" ]; then
        echo "wine-session: $emoji is missing (Debian package fonts-noto-color-emoji)" >&2
        exit 1
    fi
    cp "$emoji" "$WINEPREFIX/drive_c/windows/Fonts/"
    start_server
    ;;
restart)
    # As a reboot would: every program ends at once, and process ids start
    # again from the same small numbers.
    export DISPLAY WINEPREFIX=$session/prefix WINEDEBUG=-all
    DISPLAY=$(cat "$session/display")
    wine=$(cat "$session/wine")
    start_server
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: wine-session.sh start SESSION_FOLDER DISPLAY WINE | restart|stop SESSION_FOLDER" >&2
    exit 2
    ;;
esac
