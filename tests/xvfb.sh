#!/usr/bin/env bash
# Starts or stops the Xvfb server the X11 tests run against.
# Usage: xvfb.sh start|stop DISPLAY
set -u
action=$1
display=$2
pidfile=/tmp/kestrun-xvfb${display/:/-}.pid

case "$action" in
start)
    if xdpyinfo -display "$display" >/dev/null 2>&1; then
        exit 0
    fi
    Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && exit 0
        sleep 0.1
    done
    echo "Xvfb did not come up on $display" >&2
    exit 1
    ;;
stop)
    if [ -f "$pidfile" ]; then
        kill "$(cat "$pidfile")" 2>/dev/null
        rm -f "$pidfile"
    fi
    exit 0
    ;;
esac
echo "usage: xvfb.sh start|stop DISPLAY" >&2
exit 2
