#!/usr/bin/env bash
# Builds everything and runs every test under Wine. Usage (as root on Debian 12):
#   bash scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

prefix=$PWD/build/wineprefix
# A private screen started for this run is stopped with it, and so is the wineserver:
# nothing of the run is left behind.
# The tools the build runs under Wine use the tests' private screen too, so one
# wineserver serves both.
export LINGORIX_PRIVATE_DISPLAY=1
export LINGORIX_XVFB_PIDFILE=$PWD/build/xvfb-started.pid
mkdir -p build
cleanup() {
  bash scripts/printer.sh stop >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  if [ -f "$LINGORIX_XVFB_PIDFILE" ]; then
    xargs -r kill <"$LINGORIX_XVFB_PIDFILE" 2>/dev/null || true
    rm -f "$LINGORIX_XVFB_PIDFILE"
  fi
}
trap cleanup EXIT

cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

# A private PDF printer for the printing tests; Wine finds it through CUPS_SERVER.
eval "$(bash scripts/printer.sh start)"

# One wineserver serves the whole run (the wrapper keeps it alive between programs).
ctest --preset default
