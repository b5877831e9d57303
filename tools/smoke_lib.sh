# Shared pieces of the real-window smoke scripts (tools/smoke*.sh), sourced by them. Each script sets
# SMOKE_TAG (its name in messages) and BUILD (the build folder) before calling these.

# smoke_under_xvfb SCRIPT TOOL...: checks the tools, then runs SCRIPT again inside a fresh X server;
# returns only when already inside it.
smoke_under_xvfb() {
    local script=$1; shift
    [ -n "${QV_SMOKE_INNER:-}" ] && return 0
    for tool in xvfb-run "$@"; do
        command -v "$tool" >/dev/null || { echo "$SMOKE_TAG: $tool is missing (tools/setup.sh installs it)"; exit 1; }
    done
    exec env QV_SMOKE_INNER=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$script" "$BUILD"
}

# fail MESSAGE: reports, shows the end of the program's output, kills the program and exits 1.
fail() {
    echo "$SMOKE_TAG: FAILED: $*" >&2
    if [ -f "${RUN:-}/program.log" ]; then
        echo "--- program output ---" >&2
        tail -n 40 "$RUN/program.log" >&2
    fi
    [ -n "${PID:-}" ] && kill -KILL "$PID" 2>/dev/null || true
    exit 1
}

# Every wait of the smoke scripts is for something to happen, up to this many seconds: far beyond a
# normal run, so that a loaded machine only makes the run slower, never failed.
SMOKE_LIMIT=60

# deadline COMMAND...: runs COMMAND every 0.1 s until it succeeds (at once when it does); false when
# SMOKE_LIMIT seconds have passed without success.
deadline() {
    local until=$((SECONDS + SMOKE_LIMIT))
    while [ "$SECONDS" -lt "$until" ]; do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# smoke_prepare FOLDER: the program reads and writes beside itself, so a copy of it with its Styles,
# Samples and Help runs in $BUILD/FOLDER (RUN); SESSION is the sample session the scripts open.
smoke_prepare() {
    [ -x "$BUILD/quovelanta" ] || fail "$BUILD/quovelanta does not exist (build first)"
    [ -x "$BUILD/qv_wmclose" ] || fail "$BUILD/qv_wmclose does not exist (build first)"
    RUN="$BUILD/$1"
    rm -rf "$RUN"
    mkdir -p "$RUN"
    cp "$BUILD/quovelanta" "$RUN/"
    for d in Styles Samples Help; do [ -d "$BUILD/$d" ] && cp -r "$BUILD/$d" "$RUN/"; done
    SESSION="Samples/01 Pop Song - Open Road.qvs"
    [ -f "$RUN/$SESSION" ] || fail "the sample session $SESSION is missing"
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR || true
}

alive() { kill -0 "$PID" 2>/dev/null; }

# find_window: sets WID to the visible main window once there is one (the program's other windows,
# such as a page shown at start, have the same title but not the main window's size).
find_window() {
    alive || fail "the program ended before showing its window"
    WID=""
    local w
    for w in $(xdotool search --onlyvisible --name '^QuoVelanta$' 2>/dev/null); do
        if xdotool getwindowgeometry "$w" 2>/dev/null | grep -qE 'Geometry: (987|1243)x602'; then
            WID=$w
            break
        fi
    done
    [ -n "$WID" ]
}

# window_painted SHOT: true once a screenshot of WID (saved to SHOT) shows the painted display.
window_painted() {
    alive || fail "the program ended while starting"
    import -silent -window "$WID" "$1" 2>/dev/null || return 1
    [ "$(convert "$1" -format %k info: 2>/dev/null || echo 0)" -gt 200 ]
}

# wait_for_window SHOT: waits for the main window and for it to be painted.
wait_for_window() {
    deadline find_window || fail "no window titled QuoVelanta appeared within $SMOKE_LIMIT s"
    deadline window_painted "$1" || fail "the window was not painted within $SMOKE_LIMIT s"
}
