#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
qv_install_missing
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && ctest -j "$jobs" --output-on-failure --timeout 300)

qv_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest -j "$jobs" --output-on-failure --timeout 600)
