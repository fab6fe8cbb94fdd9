#!/bin/sh
# Sets up a fresh Debian 12 machine, builds Quenda and starts it.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target quenda
exec ./build/quenda
