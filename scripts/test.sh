#!/bin/sh
# Sets up a fresh Debian 12 machine, builds Quenda with its tests and runs them all.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure --timeout 300
