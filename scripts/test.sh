#!/usr/bin/env bash
# Installs dependencies, builds, starts a private PostgreSQL and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
source scripts/pg-test-server.sh
trap pg_test_stop EXIT
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
