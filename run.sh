#!/usr/bin/env bash
# Installs what is missing, builds the program and its data in build/ (the tests are built by
# test.sh) and starts it; any arguments are passed on (a session file to open).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
qv_install_missing
qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quovelanta qv_data
exec build/quovelanta "$@"
