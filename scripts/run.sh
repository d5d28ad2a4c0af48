#!/usr/bin/env bash
# Builds QUARTZEN SPA, creates the demonstration installation when there is none and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
home=${QUARTZEN_HOME:-$HOME/.local/share/quartzen}
./build/src/app/quartzen --home "$home" init --demo
if [ -x build/src/app/quartzen-spa ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No hay pantalla: inicie una sesion de escritorio, o use una virtual con" >&2
    echo "  xvfb-run -a build/src/app/quartzen-spa --home \"$home\"" >&2
    exit 1
  fi
  exec ./build/src/app/quartzen-spa --home "$home"
fi
exec ./build/src/app/quartzen --home "$home" info
