#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the application and the tests need (as root).
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config git ccache
      qt6-base-dev qt6-translations-l10n libgl1-mesa-dev
      libsqlite3-dev libpq-dev postgresql
      libfmt-dev libsodium-dev libcurl4-openssl-dev libxlsxwriter-dev libminizip-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      xvfb xauth imagemagick poppler-utils)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "Faltan paquetes (${missing[*]}); ejecute como root para instalarlos." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
