#!/usr/bin/env bash
# Installs what is missing (the program's and the tests' packages), builds and runs the whole suite in
# an optimised tree (Release: -O3, warnings as errors), then again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
# QV_STRESS=1 runs tools/stress-suite.sh afterwards: the whole suite twice more on a fully loaded machine.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
qv_install_missing --tests
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

qv_configure build-release -DCMAKE_BUILD_TYPE=Release -DQV_TESTS=ON
cmake --build build-release -j "$jobs"
# qv_ctest DIR TIMEOUT: runs the suite in DIR; on a failure stops with CTest's summary line last. The
# tests carry their own limit (CMakeLists.txt: 300 s, 1500 s under the sanitizers); TIMEOUT is the same.
qv_ctest() {
    local rc=0
    (cd "$1" && ctest -j "$jobs" --output-on-failure --timeout "$2") 2>&1 | tee "$1/ctest.log" || rc=$?
    if [ "$rc" -ne 0 ]; then
        grep -E '^[0-9]+% tests passed' "$1/ctest.log" || true
        exit "$rc"
    fi
}
qv_ctest build-release 300
# The real window under Xvfb: start, screenshot, close as a desktop does, stores written.
tools/smoke.sh build-release || { echo "smoke: trying once more"; tools/smoke.sh build-release; }
# The menu bar and the real file dialog under Xvfb. Xvfb runs no window manager, so a popup's
# activation there is not reliable; a failed run is tried once more before it counts.
tools/smoke_menus.sh build-release || { echo "smoke-menus: trying once more"; tools/smoke_menus.sh build-release; }

qv_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_TESTS=ON
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
qv_ctest build-asan 1500
# CTest lists tests that did not run after its summary; the summary lines come last.
grep -hE '^[0-9]+% tests passed' build-release/ctest.log build-asan/ctest.log
if [ "${QV_STRESS:-0}" = 1 ]; then tools/stress-suite.sh build-release; fi
