#!/usr/bin/env bash
# Runs every fuzz target in the given folder for a bounded time, seeded from fuzz/corpus/<name>/.
set -euo pipefail
bin=$1; seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for f in "$bin"/fuzz_*; do
  name=${f##*/fuzz_}
  work=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
  echo "fuzz $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work" "${seeds[@]}" 2>&1 | tail -n 12
  rm -rf "$work"
done
