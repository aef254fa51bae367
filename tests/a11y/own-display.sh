#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, inside a session bus that
# knows that display (the AT-SPI registry the bus starts needs it).
#
# Xvfb picks a free display itself (-displayfd) instead of a number guessed
# from lock files, as xvfb-run -a does. -noreset: the AT-SPI bus launcher
# connects to the display and leaves; an X server whose last client has left
# resets, and the program, connecting during the reset, was refused
# ("could not connect to display").
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywick-display.XXXXXX")
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for ((i = 0; i < 300; i++)); do
    [ -s "$work/display" ] && break
    if ! kill -0 "$xvfb" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "own-display: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
status=0
dbus-run-session -- "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "own-display: the command failed ($status) on $DISPLAY; Xvfb said:" >&2
    cat "$work/xvfb.log" >&2
fi
exit "$status"
