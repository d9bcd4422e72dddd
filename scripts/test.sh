#!/usr/bin/env bash
# Builds everything and runs every test under Wine. Usage (as root on Debian 12):
#   bash scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

prefix=$PWD/build/wineprefix
cleanup() { WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT

# One wineserver serves the whole run (the wrapper keeps it alive between programs).
ctest --preset default
