#!/usr/bin/env bash
# Builds Lingorix and starts it on the bundled sample data. Usage (as root on Debian 12):
#   bash scripts/run.sh
# Without a display that can be opened it runs on a private Xvfb screen :91.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

cd build/bin
exec ../../scripts/wine-run.sh --prefix ../wineprefix ./lingorix.exe "$@"
