#!/usr/bin/env bash
# Builds everything and runs every test: the test suite, the suite again under a comma-decimal
# locale, the core tests under AddressSanitizer and UBSan, and bounded fuzz runs.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

echo "== build (release)"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"

echo "== core tests under a comma-decimal locale"
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  for t in build/bin/druv_*_tests; do LC_ALL=de_DE.UTF-8 "$t" --gtest_brief=1; done
else
  echo "de_DE.UTF-8 locale not available; skipped" >&2
fi

echo "== sanitizer build of the core tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset asan -j "$jobs" --timeout 600

echo "== fuzz targets (bounded)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/run-fuzzers.sh build-fuzz/bin "${DRUV_FUZZ_SECONDS:-60}"

echo "== test suite"
ctest --preset default -j "$jobs" --timeout 600
