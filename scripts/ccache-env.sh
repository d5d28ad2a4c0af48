# Sourced by the build scripts: the compiler cache lives outside the clone, so that a fresh clone
# (CI) reuses earlier builds, and its entries do not depend on the folder a clone is built in.
export CCACHE_DIR=${CCACHE_DIR:-/var/cache/quartzen-ccache}
mkdir -p "$CCACHE_DIR" 2>/dev/null || export CCACHE_DIR="$HOME/.cache/quartzen-ccache"
export CCACHE_BASEDIR=$(pwd)
export CCACHE_NOHASHDIR=true
# Precompiled headers are cacheable only when ccache may ignore their defines and time macros.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
