#!/usr/bin/env bash
# Runs the station from build/demo/ against tnc-sim, a simulated TS-2000 whose TNC plays recorded
# APRS traffic once the station has pressed "Packet ON". What the station sent to the radio is left
# in build/demo/tnc-sim.log (readable) and build/demo/tnc-sim.raw (exact bytes). A second tnc-sim is
# a GPS receiver for "GPS" > "Enable GPS".
#   DRUV_BUILD_DIR  build folder (default: build)
#   DRUV_DEMO_RATE  monitor lines per second (default: 2)
#   DRUV_DEMO_GPS   the GPS receiver's fix, LAT,LON in decimal degrees (default: 32.7767,-96.797)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${DRUV_BUILD_DIR:-build}"
bin="$build/bin"
demo="$build/demo"

for f in "$bin/druvaprs" "$bin/tnc-sim"; do
  if [ ! -x "$f" ]; then
    echo "run-demo: $f is missing; build first (./run.sh)" >&2
    exit 1
  fi
done
traffic="$bin/demo/demo-traffic.txt"
[ -f "$traffic" ] || traffic=data/demo/demo-traffic.txt

# The demo's own application folder: the program and the files staged beside it from data/
# (not the tests, tools or benchmarks that share bin/).
mkdir -p "$demo"
cp -f "$bin/druvaprs" "$demo/"
for src in data/*; do
  name=$(basename "$src")
  [ "$name" = demo ] && continue
  [ -e "$bin/$name" ] || continue
  # The station saves these on close; a second demo run keeps what the first one saved.
  case "$name" in
    aprssettings.txt | qth.cfg) [ -e "$demo/$name" ] && continue ;;
  esac
  cp -rf "$bin/$name" "$demo/"
done

demo_abs=$(cd "$demo" && pwd)
link="$demo_abs/radio-pty"
cat >"$demo/zelAPRS.ini" <<INI
[ComPort1]
Port=$link
BaudRate=57600
StopBits=1
DataBits=8
Parity=None
FlowControl=Hardware
INI

gps_link="$demo_abs/gps-pty"
cat >"$demo/gps.ini" <<INI
[ComPort1]
Port=$gps_link
BaudRate=9600
StopBits=1
DataBits=8
Parity=None
FlowControl=None
INI

rm -f "$link" "$gps_link"
"$bin/tnc-sim" --link "$link" --play "$traffic" --rate "${DRUV_DEMO_RATE:-2}" --loop --ack-messages \
  --record "$demo/tnc-sim.log" --raw "$demo/tnc-sim.raw" >"$demo/tnc-sim.out" &
sim=$!
"$bin/tnc-sim" --gps --gps-at "${DRUV_DEMO_GPS:-32.7767,-96.797}" --link "$gps_link" >"$demo/gps-sim.out" &
gps_sim=$!
trap 'kill "$sim" "$gps_sim" 2>/dev/null || true; wait "$sim" "$gps_sim" 2>/dev/null || true' EXIT

wait_for_link() {
  for _ in $(seq 100); do
    [ -L "$1" ] && return 0
    if ! kill -0 "$2" 2>/dev/null; then
      echo "run-demo: tnc-sim failed to start" >&2
      exit 1
    fi
    sleep 0.05
  done
  echo "run-demo: tnc-sim did not make $1" >&2
  exit 1
}
wait_for_link "$link" "$sim"
wait_for_link "$gps_link" "$gps_sim"
echo "Simulated TS-2000 on $(readlink "$link") (linked as $link)."
echo "Simulated GPS receiver on $(readlink "$gps_link") (linked as $gps_link)."
echo "Press \"Packet ON\" to start the monitor traffic."

status=0
(cd "$demo" && ./druvaprs) || status=$?
exit "$status"
