#!/usr/bin/env bash
# A real-window smoke test under Xvfb: starts the program with a sample session, waits for its
# window, saves a screenshot, asks the window to close as a desktop does, and checks that the program
# ends by itself with status 0 and leaves its stores written. In between it picks a style with the
# mouse (the Style box must change), plays from a beat clicked under a chord cell, plays with Space
# until the music's notes go out (the run sets QV_SMOKE_MIDI_LOG, which makes the program write its
# MIDI to that file instead of the system's ports) and stops with Space again, types a line of
# non-Latin text into the notes window (the saved session must hold it byte for byte) and quits with
# Esc, answering the save question with Return. The first start finds an unreadable settings file: the
# notice that says so must outlast the Return that answered the sound test page, held down until after
# the notice has opened, and close on a Return of its own. Every wait is for something to happen
# (smoke_lib.sh).
# Usage: tools/smoke.sh [BUILD-DIR]   (default build). Later checks add steps between start and close.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build}" && pwd)

SMOKE_TAG=smoke
. tools/smoke_lib.sh
smoke_under_xvfb "$0" xdotool import convert

smoke_prepare smoke
MIDILOG="$RUN/midi.log"
printf 'not a settings file\r\n' >"$RUN/options.cfg" # read as unreadable: set aside, defaults used
(cd "$RUN" && QV_SMOKE_MIDI_LOG="$MIDILOG" exec ./quovelanta "$SESSION") >"$RUN/program.log" 2>&1 &
PID=$!

# The window is painted once the start-up sequence has run: wait until the shot shows the display.
SHOT="$BUILD/smoke-main.png"
wait_for_window "$SHOT"
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
deadline sound_test || fail "the first start showed no sound test page within $SMOKE_LIMIT s"
import -silent -window "$DLG" "$BUILD/smoke-soundtest.png" 2>/dev/null || true
xdotool windowactivate --sync "$DLG" 2>/dev/null || xdotool windowfocus --sync "$DLG" 2>/dev/null || true
# To the focused page: a --window key whose page closes at once would lose its release. Return stays
# down until the notice about the settings file has opened and a second has passed (the key repeats
# after 0.66 s): neither the repeats nor the release may answer the notice.
xdotool keydown Return
gone() { ! xdotool getwindowgeometry "$DLG" >/dev/null 2>&1 || ! xdotool search --onlyvisible --name '^QuoVelanta$' | grep -qx "$DLG"; }
notice_open() {
    NOTICE=""
    local w
    for w in $(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null); do
        [ "$w" = "$WID" ] || [ "$w" = "$DLG" ] || NOTICE=$w
    done
    [ -n "$NOTICE" ]
}
deadline gone || { xdotool keyup Return; fail "the sound test page did not close on Enter within $SMOKE_LIMIT s"; }
echo "smoke: sound test answered"
deadline notice_open || { xdotool keyup Return; fail "no notice about the unreadable settings file appeared within $SMOKE_LIMIT s"; }
sleep 1
xdotool keyup Return
sleep 0.5
notice_open || fail "the Return that answered the sound test page also closed the notice that followed it"
import -silent -window "$NOTICE" "$BUILD/smoke-notice.png" 2>/dev/null || true
[ -f "$RUN/options.cfg.bad" ] || fail "the unreadable options.cfg was not set aside"
xdotool windowactivate --sync "$NOTICE" 2>/dev/null || xdotool windowfocus --sync "$NOTICE" 2>/dev/null || true
xdotool key Return
notice_gone() { ! notice_open; }
deadline notice_gone || fail "the notice did not close on its own Return within $SMOKE_LIMIT s"
echo "smoke: the notice outlasted the held Return and closed on its own"


# Client coordinates of the main window's layout: the Style box and, in the style selector that opens
# under it, the second style of the first column.
STYLE_BOX="46 144 181 37"
STYLE_PICK="113 241"
region() { # FILE X Y W H: a checksum of that region of the window
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage rgb:- | md5sum | cut -d' ' -f1
}
shot() { alive || fail "the program ended unexpectedly"; import -silent -window "$WID" "$1" 2>/dev/null; }
# shellcheck disable=SC2086
BEFORE=$(region "$SHOT" $STYLE_BOX)
# Keys go to the window under the pointer (no window manager): keep the pointer on the window.
xdotool mousemove --window "$WID" 136 162 click 1
SEL="$BUILD/smoke-selector.png"
selector_open() { shot "$SEL" && [ "$(region "$SEL" 43 181 300 120)" != "$(region "$SHOT" 43 181 300 120)" ]; }
deadline selector_open || fail "the style selector did not open within $SMOKE_LIMIT s of the click on the Style box"
echo "smoke: style selector open, screenshot $SEL"
read -r PX PY <<<"$STYLE_PICK"
xdotool mousemove --window "$WID" "$PX" "$PY" click 1
AFTER_SHOT="$BUILD/smoke-style.png"
# shellcheck disable=SC2086
style_changed() { shot "$AFTER_SHOT" && [ "$(region "$AFTER_SHOT" $STYLE_BOX)" != "$BEFORE" ]; }
deadline style_changed || fail "the Style box did not change within $SMOKE_LIMIT s of picking a style"
echo "smoke: style box changed, screenshot $AFTER_SHOT"
# The selector stays open after the pick (as in AFTER_SHOT) until Esc closes it.
xdotool key --window "$WID" Escape
CLOSED_SHOT="$BUILD/smoke-closed.png"
selector_closed() { shot "$CLOSED_SHOT" && [ "$(region "$CLOSED_SHOT" 43 181 300 120)" != "$(region "$AFTER_SHOT" 43 181 300 120)" ]; }
deadline selector_closed || fail "Esc did not close the style selector within $SMOKE_LIMIT s"

# The play button's middle shows whether playback runs; AFTER_SHOT shows it stopped.
PLAY_BUTTON="546 491 36 36"
# shellcheck disable=SC2086
STOPPED_LOOK=$(region "$AFTER_SHOT" $PLAY_BUTTON)
STATE_SHOT="$BUILD/smoke-state.png"
# shellcheck disable=SC2086
stopped() { shot "$STATE_SHOT" && [ "$(region "$STATE_SHOT" $PLAY_BUTTON)" = "$STOPPED_LOOK" ]; }
# A note-on of the music (a channel other than the drums' and count-in's 10) after line $1 of the log.
music_after() { tail -n +"$(($1 + 1))" "$MIDILOG" 2>/dev/null | grep -qE '^send (14[4-9]|15[0-24-9]) [0-9]+ [1-9]'; }

# Click-to-play: a click on the band under a chord cell (page area (46, 217)-(942, 325), band from its
# top + 61 to + 95) plays from the beat under the mouse; Space stops.
LINES_BEFORE=$(wc -l <"$MIDILOG" 2>/dev/null || echo 0)
xdotool mousemove --window "$WID" 120 300 sleep 0.3 click 1
played() { tail -n +"$((LINES_BEFORE + 1))" "$MIDILOG" 2>/dev/null | grep -qE '^send (14[4-9]|15[0-9]) [0-9]+ [1-9]'; }
deadline played || fail "a click on a chord cell's lower band started no playback within $SMOKE_LIMIT s"
xdotool key --window "$WID" space
deadline stopped || fail "Space did not stop the playback started by the click within $SMOKE_LIMIT s"

# Space plays (after the count-in) until the music sends its notes, and Space stops again.
LINES_BEFORE=$(wc -l <"$MIDILOG" 2>/dev/null || echo 0)
xdotool key --window "$WID" space
deadline music_after "$LINES_BEFORE" || fail "no note of the music went out in the MIDI log $MIDILOG within $SMOKE_LIMIT s of Space"
shot "$BUILD/smoke-played.png" || true
xdotool key --window "$WID" space
deadline stopped || fail "Space did not stop playback within $SMOKE_LIMIT s"
LINES_AFTER=$(wc -l <"$MIDILOG")
echo "smoke: playback sent $((LINES_AFTER - LINES_BEFORE)) MIDI messages"

# Typed text keeps every character: a new line typed into the notes window (key N), at xdotool's
# default 12 ms a key. `xdotool type` binds a character without a key of its own to a spare key only
# for half its delay, and a Qt program that handles the map change a few milliseconds late gets a
# key without a character (a plain Qt text box loses as many): qv_keybind binds those characters to
# keys of their own first and prints the line as key names, so a character lost here was lost by
# the program. Keys that move the focus go without --window: xdotool would send their release to the
# old window only.
NOTES_LINE="Käse über … ♭7 ♯11 Grüße ñ é 日本"
[ -x "$BUILD/qv_keybind" ] || fail "$BUILD/qv_keybind does not exist (build first)"
NOTES_KEYS=$("$BUILD/qv_keybind" "$NOTES_LINE") || fail "the notes line's characters could not be bound to keys"
xdotool windowactivate --sync "$WID" 2>/dev/null || xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool key n
notes_open() {
    NID=$(xdotool search --onlyvisible --name '^Session Notes$' 2>/dev/null | head -n 1)
    [ -n "$NID" ]
}
deadline notes_open || fail "key N showed no notes window within $SMOKE_LIMIT s"
# The click puts the text cursor in the notes; the keys that follow reach the window after it.
xdotool mousemove --window "$NID" 300 150 click 1
xdotool windowfocus --sync "$NID" 2>/dev/null || true
xdotool key ctrl+End Return
# shellcheck disable=SC2086
xdotool key --delay 12 $NOTES_KEYS
xdotool key Escape
xdotool windowactivate --sync "$WID" 2>/dev/null || xdotool windowfocus --sync "$WID" 2>/dev/null || true

# Esc quits; the changed session is saved (Return answers Yes to the save question).
xdotool key Escape # to the focused main window: the release must not go to the question page
ended() { ! alive; }
# The save question is a page of the program titled like its main window: answer it with Return,
# again every half second until the program has ended (a key sent too early is simply repeated).
quit_done() {
    ended && return 0
    local q
    for q in $(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null); do
        [ "$q" = "$WID" ] && continue
        xdotool mousemove --window "$q" 20 20 2>/dev/null || true
        xdotool key --window "$q" Return 2>/dev/null || true
    done
    sleep 0.4
    ended
}
deadline quit_done || fail "the program did not end within $SMOKE_LIMIT s of Esc (was the save question answered?)"
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
grep -q "^soundCheckDone=true" "$RUN/options.cfg" || fail "options.cfg does not record the sound test as done"
LAST_NOTE=$(LC_ALL=C sed -n '/^<sessionNotes>/,/^<\/sessionNotes>/p' "$RUN/$SESSION" | tail -n 2 | head -n 1)
[ "$LAST_NOTE" = "i=$NOTES_LINE"$'\r' ] || fail "the saved session's last notes line is $LAST_NOTE"
echo "smoke: the typed notes line was saved byte for byte"

# Second start: no sound test any more; the desktop asks the window to close, and an unmodified
# session ends the program without a question.
(cd "$RUN" && exec ./quovelanta "$SESSION") >"$RUN/program.log" 2>&1 &
PID=$!
wait_for_window "$BUILD/smoke-second.png"
"$BUILD/qv_wmclose" "$WID" || fail "the close request could not be sent"
ended() { ! alive; }
deadline ended || fail "the program did not end within $SMOKE_LIMIT s of the close request (did it ask a question?)"
set +e
wait "$PID"
STATUS=$?
set -e
PID=
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS after the close request"
echo "smoke: ok"
