#!/usr/bin/env bash
# Runs BUILD_DIR/qv_soundlatency (the delay from a MIDI message to its sound through the built-in
# synthesizer, before and after forced dropouts) against a private PulseAudio server whose only output
# is a null sink, "qvrec", whose monitor is recorded. The dropouts stop that server for a while.
# Usage: tools/soundlatency.sh BUILD_DIR [qv_soundlatency options: --stalls N --stall-ms MS --idle-s S]
# Needs pulseaudio and pulseaudio-utils (parec, pactl). Prints the tool's JSON on stdout and its
# per-note table on stderr; exit status 2 when it could not measure.
set -uo pipefail
BUILD=${1:-}
[ -x "$BUILD/qv_soundlatency" ] || { echo "BUILD_DIR/qv_soundlatency does not exist" >&2; exit 2; }
shift
for tool in pulseaudio pactl parec; do
    command -v "$tool" >/dev/null ||
        { echo "$tool is not installed (Debian: apt-get install pulseaudio pulseaudio-utils)" >&2; exit 2; }
done
T=$(mktemp -d /tmp/qv-latency.XXXXXX)
PA=""
cleanup() {
    if [ -n "$PA" ]; then
        kill -CONT "$PA" 2>/dev/null
        kill -TERM "$PA" 2>/dev/null
        wait "$PA" 2>/dev/null
    fi
    rm -rf "$T"
}
trap cleanup EXIT
trap 'exit 2' INT TERM HUP

# The private server is found as a desktop session's is: at $XDG_RUNTIME_DIR/pulse/native.
export HOME=$T/home XDG_RUNTIME_DIR=$T/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
unset PIPEWIRE_REMOTE DBUS_SESSION_BUS_ADDRESS
pulseaudio --daemonize=no --exit-idle-time=-1 --no-cpu-limit --use-pid-file=no -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=qvrec" \
    >"$T/pulseaudio.log" 2>&1 &
PA=$!
for _ in $(seq 1 200); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl set-default-sink qvrec 2>/dev/null
pactl info 2>/dev/null | grep -q '^Default Sink: qvrec$' ||
    { echo "the private PulseAudio server did not start" >&2; exit 2; }

"$BUILD/qv_soundlatency" --source qvrec.monitor --server-pid "$PA" "$@"
