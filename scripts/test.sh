#!/usr/bin/env bash
# Builds and runs every test: the formatting check, the fuzz targets over
# their corpora (and briefly beyond) under ASan + UBSan, the unit tests in
# release and under AddressSanitizer + UBSan with warnings as errors, and
# Debian's check of the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

echo "== format =="
scripts/check-format.sh

echo "== fuzz =="
cmake --preset fuzz -DQUINTORA_WERROR=ON >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/run-fuzzers.sh build/fuzz/bin

for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DQUINTORA_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== package =="
scripts/check-package.sh build/release
