#!/usr/bin/env bash
# Installs what the program needs, builds the program and its data in build/ (configured without the
# tests; test.sh builds and runs those) and starts it; any arguments are passed on (a session file to open).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
qv_install_missing
qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TESTS=OFF
cmake --build build --target quovelanta qv_data
exec build/quovelanta "$@"
