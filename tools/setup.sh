#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need (only what is missing), then
# configures a build tree. Sourced by run.sh and test.sh.
set -euo pipefail

QV_PACKAGES=(g++ cmake ninja-build pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libfluidsynth-dev fluid-soundfont-gm timgm6mb-soundfont
    librtmidi-dev libasound2-dev fonts-dejavu-core fonts-dejavu-extra xvfb xauth midicsv
    xdotool imagemagick libx11-dev)

qv_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

qv_install_missing() {
    local missing=()
    for p in "${QV_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        qv_sudo apt-get update -qq
        qv_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
    fi
}

# qv_configure DIR [cmake args...]: configures DIR once; later calls reuse it (Ninja re-runs cmake when needed).
qv_configure() {
    local dir=$1; shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja "$@"
    fi
}
