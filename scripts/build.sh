#!/usr/bin/env bash
# Configures and builds DedIzo into ./build (incremental; ccache keeps rebuilds cheap).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/dedizo-ccache}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
