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

SMOKE_TAG=smoke-menus
. tools/smoke_lib.sh
smoke_under_xvfb "$0" xdotool import convert

PID=
smoke_prepare smoke-menus

# The first start's sound test is the main smoke run's; here the program has run before.
printf '<QuoVelanta Options>\r\nsoundCheckDone=true\r\n</QuoVelanta Options>\r\n' >"$RUN/options.cfg"
# Starts the program with the given arguments and waits for its painted main window (WID).
start() {
    (cd "$RUN" && exec ./quovelanta "$@") >"$RUN/program.log" 2>&1 &
    PID=$!
    wait_for_window "$RUN/shot.png"
}
stop() {
    # Without a window manager the menu's activation is not reliable: a menu that closed itself lets
    # the Esc meant for it reach the main window, which then quits on its own (status checked below).
    # A close request to a program that is already ending changes nothing.
    ended() { ! alive; }
    ended || "$BUILD/qv_wmclose" "$WID" 2>/dev/null || true
    deadline ended || fail "the program did not end within $SMOKE_LIMIT s of the close request"
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
deadline menu_open || fail "no menu window appeared within $SMOKE_LIMIT s of a click on File"
import -silent -window root "$RUN/file-menu.png" 2>/dev/null || true
xdotool key Escape
menu_closed() { [ "$(windows)" -le "$BEFORE" ]; }
deadline menu_closed || fail "Esc did not close the File menu within $SMOKE_LIMIT s"
echo "smoke-menus: File menu opened and closed"
stop

# 2. Ctrl+S in an untitled session: the Save As dialog, a typed name, the file, and opening it again.
TARGET="$RUN/Samples/smoke saved"
start
xdotool windowactivate --sync "$WID" 2>/dev/null || xdotool windowfocus "$WID" 2>/dev/null || true
xdotool key --window "$WID" ctrl+s || fail "Ctrl+S could not be sent to the main window"
find_dialog() {
    DID=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null | head -n 1)
    [ -n "$DID" ]
}
deadline find_dialog || fail "Ctrl+S did not show the Save As dialog within $SMOKE_LIMIT s"
xdotool windowfocus --sync "$DID" 2>/dev/null || true
xdotool key --window "$DID" ctrl+a
xdotool type --window "$DID" --delay 20 "$TARGET"
# Return closes the dialog at once: sent to the focused dialog, not with --window, whose release
# would go to a window that is gone (an X error that ends xdotool).
xdotool key Return
saved() { [ -s "$TARGET.qvs" ]; }
deadline saved || fail "the session was not written to $TARGET.qvs within $SMOKE_LIMIT s"
head -c 200 "$TARGET.qvs" | grep -q "QuoVelanta Session" || fail "$TARGET.qvs is not a session file"
echo "smoke-menus: saved $TARGET.qvs through the file dialog"
stop

# A session opened whole goes to the top of the recent files, which are written then: without the
# list of the earlier runs, its file appears once the open has read the session.
rm -f "$RUN/recent.cfg"
start "Samples/smoke saved.qvs"
opened() { grep -q "smoke saved.qvs" "$RUN/recent.cfg" 2>/dev/null; }
deadline opened || fail "the saved session was not opened within $SMOKE_LIMIT s"
# A message page would be a second window of the program.
[ "$(windows)" -eq 1 ] || fail "opening the saved session showed a message"
stop
echo "smoke-menus: ok"
