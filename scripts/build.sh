#!/usr/bin/env bash
# Configures and builds into build/ (extra CMake options may follow).
set -euo pipefail
cd "$(dirname "$0")/.."
# The compiler cache lives outside the clone so that a fresh clone (CI) reuses earlier builds.
export CCACHE_DIR=${CCACHE_DIR:-/var/cache/quartzen-ccache}
mkdir -p "$CCACHE_DIR" 2>/dev/null || export CCACHE_DIR="$HOME/.cache/quartzen-ccache"
# Paths relative to the clone, so that a clone in another folder hits the same entries.
export CCACHE_BASEDIR=$(pwd)
# Debug information would otherwise tie every entry to the folder it was built in.
export CCACHE_NOHASHDIR=true
# Precompiled headers are cacheable only when ccache may ignore their defines and time macros.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
