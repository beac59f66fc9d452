#!/usr/bin/env bash
# Installs dependencies, builds and starts DedIzo on the file database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. Run it under a virtual display:  xvfb-run -a build/app/dedizo"
  echo "or without any window system:                      QT_QPA_PLATFORM=offscreen build/app/dedizo"
  exit 1
fi
exec build/app/dedizo "$@"
