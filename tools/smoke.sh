#!/usr/bin/env bash
# A real-window smoke test under Xvfb: starts the program with a sample session, waits for its
# window, saves a screenshot, asks the window to close as a desktop does, and checks that the program
# ends by itself with status 0 (an unmodified session asks nothing) and leaves its stores written.
# Usage: tools/smoke.sh [BUILD-DIR]   (default build). Later checks add steps between start and close.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build}" && pwd)

SMOKE_TAG=smoke
. tools/smoke_lib.sh
smoke_under_xvfb "$0" xdotool import convert

smoke_prepare smoke
(cd "$RUN" && exec ./quovelanta "$SESSION") >"$RUN/program.log" 2>&1 &
PID=$!

# The window is painted once the start-up sequence has run: wait until the shot shows the display.
SHOT="$BUILD/smoke-main.png"
wait_for_window "$SHOT"
read -r W H < <(xdotool getwindowgeometry "$WID" | awk '/Geometry/ {split($2, a, "x"); print a[1], a[2]}')
[ "$W" = 987 ] && [ "$H" = 602 ] || fail "the window is ${W}x${H}, expected 987x602"
echo "smoke: window $WID painted (${W}x${H}), screenshot $SHOT"

# Later checks (keys, clicks) go here.

"$BUILD/qv_wmclose" "$WID" || fail "the close request could not be sent"
ended() { ! alive; }
deadline 20 ended || fail "the program did not end within 20 s of the close request (did it ask a question?)"
set +e
wait "$PID"
STATUS=$?
set -e
PID=
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS"

for store in options.cfg recent.cfg globalNotes.cfg; do
    [ -s "$RUN/$store" ] || fail "the store $store was not written"
done
grep -q "01 Pop Song - Open Road.qvs" "$RUN/recent.cfg" || fail "recent.cfg does not list the opened session"
echo "smoke: ok"
