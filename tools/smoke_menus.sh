#!/usr/bin/env bash
# Real-window smoke steps of the menu bar and the file dialog, under Xvfb:
#  1. with a sample session open, a click on the "File" title opens the File menu (a second,
#     borderless window of the program appears) and Esc closes it again;
#  2. in an untitled session Ctrl+S brings up the real Save As dialog; the new name is typed with
#     xdotool (without ".qvs": the dialog completes it), the file is written, and the program opens it
#     again at its next start without a message.
# Usage: tools/smoke_menus.sh [BUILD-DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build}" && pwd)

if [ -z "${QV_SMOKE_INNER:-}" ]; then
    for tool in xvfb-run xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "smoke-menus: $tool is missing (tools/setup.sh installs it)"; exit 1; }
    done
    exec env QV_SMOKE_INNER=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$BUILD"
fi

PID=
fail() {
    echo "smoke-menus: FAILED: $*" >&2
    [ -f "$RUN/program.log" ] && { echo "--- program output ---" >&2; tail -n 40 "$RUN/program.log" >&2; }
    [ -n "$PID" ] && kill -KILL "$PID" 2>/dev/null || true
    exit 1
}
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
RUN="$BUILD/smoke-menus"
rm -rf "$RUN"
mkdir -p "$RUN"
cp "$BUILD/quovelanta" "$RUN/"
# The first start's sound test is the main smoke run's; here the program has run before.
printf '<QuoVelanta Options>\r\nsoundCheckDone=true\r\n</QuoVelanta Options>\r\n' >"$RUN/options.cfg"
for d in Styles Samples Help; do [ -d "$BUILD/$d" ] && cp -r "$BUILD/$d" "$RUN/"; done
SESSION="Samples/01 Pop Song - Open Road.qvs"
[ -f "$RUN/$SESSION" ] || fail "the sample session $SESSION is missing"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR || true

alive() { kill -0 "$PID" 2>/dev/null; }
# Starts the program with the given arguments and waits for its painted main window (WID).
start() {
    (cd "$RUN" && exec ./quovelanta "$@") >"$RUN/program.log" 2>&1 &
    PID=$!
    find_window() {
        alive || fail "the program ended before showing its window"
        WID=$(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null | head -n 1)
        [ -n "$WID" ]
    }
    deadline 30 find_window || fail "no window titled QuoVelanta appeared within 30 s"
    painted() {
        import -silent -window "$WID" "$RUN/shot.png" 2>/dev/null || return 1
        [ "$(convert "$RUN/shot.png" -format %k info: 2>/dev/null || echo 0)" -gt 200 ]
    }
    deadline 20 painted || fail "the window was not painted within 20 s"
}
stop() {
    "$BUILD/qv_wmclose" "$WID" || fail "the close request could not be sent"
    ended() { ! alive; }
    deadline 20 ended || fail "the program did not end within 20 s of the close request"
    wait "$PID" || fail "the program ended with status $?"
    PID=
}
# The program's visible windows (the main window, menus, pages, dialogs).
windows() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l; }

# 1. The File menu: a click on its title (the titles start at x 9, y 18 to 41), then Esc.
start "$SESSION"
BEFORE=$(windows)
xdotool mousemove --window "$WID" 18 29 click 1
menu_open() { [ "$(windows)" -gt "$BEFORE" ]; }
deadline 10 menu_open || fail "no menu window appeared after a click on File"
import -silent -window root "$RUN/file-menu.png" 2>/dev/null || true
xdotool key Escape
menu_closed() { [ "$(windows)" -le "$BEFORE" ]; }
deadline 10 menu_closed || fail "Esc did not close the File menu"
echo "smoke-menus: File menu opened and closed"
stop

# 2. Ctrl+S in an untitled session: the Save As dialog, a typed name, the file, and opening it again.
TARGET="$RUN/Samples/smoke saved"
start
xdotool windowactivate --sync "$WID" 2>/dev/null || xdotool windowfocus "$WID"
xdotool key --window "$WID" ctrl+s
find_dialog() {
    DID=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null | head -n 1)
    [ -n "$DID" ]
}
deadline 15 find_dialog || fail "Ctrl+S did not show the Save As dialog"
xdotool windowfocus "$DID" 2>/dev/null || true
sleep 0.3
xdotool key --window "$DID" ctrl+a
xdotool type --window "$DID" --delay 20 "$TARGET"
xdotool key --window "$DID" Return
saved() { [ -s "$TARGET.qvs" ]; }
deadline 15 saved || fail "the session was not written to $TARGET.qvs"
head -c 200 "$TARGET.qvs" | grep -q "QuoVelanta Session" || fail "$TARGET.qvs is not a session file"
echo "smoke-menus: saved $TARGET.qvs through the file dialog"
stop

start "Samples/smoke saved.qvs"
sleep 1
# A message page would be a second window of the program.
[ "$(windows)" -eq 1 ] || fail "opening the saved session showed a message"
grep -q "smoke saved.qvs" "$RUN/recent.cfg" 2>/dev/null || true
stop
echo "smoke-menus: ok"
