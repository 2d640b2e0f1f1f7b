#!/usr/bin/env bash
# Starts or stops the Xvfb server the X11 tests run against. With
# "two-monitors" the screen is 3840x1080 and shows two monitors side by side,
# the primary one on the right, so the primary's origin is not the screen's.
# Usage: xvfb.sh start|stop DISPLAY [two-monitors]
set -u
action=$1
display=$2
layout=${3:-}
pidfile=/tmp/kestrun-xvfb${display/:/-}.pid
size=1920x1080
[ "$layout" != two-monitors ] || size=3840x1080

monitors() {
    # The left monitor takes over the monitor of Xvfb's one output.
    xrandr --display "$display" --setmonitor left 1920/508x1080/286+0+0 screen >/dev/null &&
        xrandr --display "$display" --setmonitor '*right' 1920/508x1080/286+1920+0 none
}

case "$action" in
start)
    if xdpyinfo -display "$display" >/dev/null 2>&1; then
        exit 0
    fi
    Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
        if xdpyinfo -display "$display" >/dev/null 2>&1; then
            [ "$layout" != two-monitors ] || monitors
            exit
        fi
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
echo "usage: xvfb.sh start|stop DISPLAY [two-monitors]" >&2
exit 2
