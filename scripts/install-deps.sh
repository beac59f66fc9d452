#!/usr/bin/env bash
# Installs everything needed to build, run and test DedIzo on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
PKGS=(
  build-essential cmake ninja-build ccache pkg-config clang
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  qt6-charts-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  qt6-qpa-plugins
  libpcre2-dev nlohmann-json3-dev libzint-dev libfreexl-dev libxlsxwriter-dev
  mdbtools-dev libgsf-1-dev unixodbc-dev tdsodbc
  postgresql postgresql-client
  fonts-noto-cjk xvfb xauth
  unicode-data yaz libgumbo-dev sqlite3 unzip
  qt6-translations-l10n
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
