#!/usr/bin/env bash
# Installs what is missing, builds the program in build/ and starts it (arguments are passed on).
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
qv_install_missing
qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -x build/quovelanta ]; then
    exec build/quovelanta "$@"
else
    echo "Built the libraries and tests. The program has no window yet: build/quovelanta does not exist in this version."
fi
