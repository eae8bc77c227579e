#!/usr/bin/env bash
# Builds the station and starts it on the demo: a simulated TS-2000 plays recorded APRS traffic.
# Only the station, the simulator and the data staged beside them are built; ./test.sh builds the
# rest (tests, benchmarks, other tools).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target druvaprs tnc-sim
exec scripts/run-demo.sh
