#!/usr/bin/env bash
# Configures and builds into build/ (extra CMake options may follow).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
