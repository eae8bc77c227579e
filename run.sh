#!/usr/bin/env bash
# Builds the station and starts it on the demo: a simulated TS-2000 plays recorded APRS traffic.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec scripts/run-demo.sh
