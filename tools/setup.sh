#!/usr/bin/env bash
# Installs the Debian packages the program needs (only what is missing), and with --tests also what
# the tests, benchmarks and real-window smoke runs need; configures a build tree. Sourced by run.sh
# (the program only) and test.sh (everything).
set -euo pipefail

QV_PACKAGES=(g++ cmake ninja-build pkg-config
    qt6-base-dev libfluidsynth-dev fluid-soundfont-gm timgm6mb-soundfont
    librtmidi-dev libasound2-dev fonts-dejavu-core fonts-dejavu-extra)
QV_TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth midicsv xdotool imagemagick libx11-dev)

qv_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# qv_install_missing [--tests]: the program's packages, with --tests also the test packages.
qv_install_missing() {
    local wanted=("${QV_PACKAGES[@]}") missing=()
    if [ "${1:-}" = --tests ]; then wanted+=("${QV_TEST_PACKAGES[@]}"); fi
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        qv_sudo apt-get update -qq
        qv_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
    fi
}

# qv_configure DIR [cmake args...]: configures DIR once; later calls reuse it (Ninja re-runs cmake when
# needed) unless a -DNAME=VALUE given here differs from DIR's cache, e.g. a tree configured with the
# tests that run.sh now wants without them.
qv_configure() {
    local dir=$1; shift
    if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ]; then
        local a name value have stale=0
        for a in "$@"; do
            [[ $a == -D*=* ]] || continue
            name=${a#-D}; value=${name#*=}; name=${name%%=*}; name=${name%%:*}
            have=$(sed -n "s/^$name:[A-Z]*=//p" "$dir/CMakeCache.txt")
            [ "$have" = "$value" ] || stale=1
        done
        [ "$stale" -eq 0 ] && return 0
    fi
    cmake -S . -B "$dir" -G Ninja "$@"
}
