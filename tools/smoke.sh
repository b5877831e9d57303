#!/usr/bin/env bash
# A real-window smoke test under Xvfb: starts the program with a sample session, waits for its
# window, saves a screenshot, asks the window to close as a desktop does, and checks that the program
# ends by itself with status 0 (an unmodified session asks nothing) and leaves its stores written.
# Usage: tools/smoke.sh [BUILD-DIR]   (default build). Later checks add steps between start and close.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build}" && pwd)

if [ -z "${QV_SMOKE_INNER:-}" ]; then
    for tool in xvfb-run xdotool convert; do
        command -v "$tool" >/dev/null || { echo "smoke: $tool is missing (tools/setup.sh installs it)"; exit 1; }
    done
    exec env QV_SMOKE_INNER=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$BUILD"
fi

fail() {
    echo "smoke: FAILED: $*" >&2
    if [ -f "$RUN/program.log" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$RUN/program.log" >&2
    fi
    [ -n "${PID:-}" ] && kill -KILL "$PID" 2>/dev/null || true
    exit 1
}

# deadline SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false when time runs out.
deadline() {
    local until=$((SECONDS + $1)); shift
    while [ "$SECONDS" -lt "$until" ]; do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

[ -x "$BUILD/quovelanta" ] || fail "$BUILD/quovelanta does not exist (build first)"
[ -x "$BUILD/qv_wmclose" ] || fail "$BUILD/qv_wmclose does not exist (build first)"

# The program reads and writes beside itself: run a copy in a folder of its own.
RUN="$BUILD/smoke"
rm -rf "$RUN"
mkdir -p "$RUN"
cp "$BUILD/quovelanta" "$RUN/"
for d in Styles Samples Help; do [ -d "$BUILD/$d" ] && cp -r "$BUILD/$d" "$RUN/"; done
SESSION="Samples/01 Pop Song - Open Road.qvs"
[ -f "$RUN/$SESSION" ] || fail "the sample session $SESSION is missing"

export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR || true
(cd "$RUN" && exec ./quovelanta "$SESSION") >"$RUN/program.log" 2>&1 &
PID=$!

alive() { kill -0 "$PID" 2>/dev/null; }
find_window() {
    alive || fail "the program ended before showing its window"
    WID=$(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null | head -n 1)
    [ -n "$WID" ]
}
deadline 30 find_window || fail "no window titled QuoVelanta appeared within 30 s"

# The window is painted once the start-up sequence has run: wait until the shot shows the display.
SHOT="$BUILD/smoke-main.png"
painted() {
    alive || fail "the program ended while starting"
    import -silent -window "$WID" "$SHOT" 2>/dev/null || return 1
    local colours
    colours=$(convert "$SHOT" -format %k info: 2>/dev/null || echo 0)
    [ "$colours" -gt 200 ]
}
deadline 20 painted || fail "the window was not painted within 20 s"
read -r W H < <(xdotool getwindowgeometry "$WID" | awk '/Geometry/ {split($2, a, "x"); print a[1], a[2]}')
[ "$W" = 987 ] && [ "$H" = 602 ] || fail "the window is ${W}x${H}, expected 987x602"
echo "smoke: window $WID painted (${W}x${H}), screenshot $SHOT"

# The very first start plays the sound test and asks whether a chord was heard: answer OK (Enter).
sound_test() {
    alive || fail "the program ended during the sound test"
    DLG=""
    for w in $(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null); do
        [ "$w" = "$WID" ] && continue
        if xdotool getwindowgeometry "$w" | grep -q 'Geometry: 500x271'; then DLG=$w; fi
    done
    [ -n "$DLG" ]
}
deadline 20 sound_test || fail "the first start showed no sound test page"
import -silent -window "$DLG" "$BUILD/smoke-soundtest.png" 2>/dev/null || true
xdotool windowactivate --sync "$DLG" 2>/dev/null || xdotool windowfocus --sync "$DLG" 2>/dev/null || true
xdotool key --window "$DLG" Return
gone() { ! xdotool getwindowgeometry "$DLG" >/dev/null 2>&1 || ! xdotool search --onlyvisible --name '^QuoVelanta$' | grep -qx "$DLG"; }
deadline 10 gone || fail "the sound test page did not close on Enter"
echo "smoke: sound test answered"

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
