#!/usr/bin/env bash
# Runs every fuzz target (bin/fuzz_AREA) over its seed corpus fuzz/AREA/corpus,
# then for a short bounded time. New inputs go to a scratch folder, never into
# the committed corpus.
set -euo pipefail
bin_dir=${1:?usage: run-fuzzers.sh BIN_DIR}
seconds=${FUZZ_SECONDS:-20}
cd "$(dirname "$0")/.."

found=0
for fuzzer in "$bin_dir"/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  found=1
  area=${fuzzer##*/fuzz_}
  corpus=fuzz/$area/corpus
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  echo "-- $area: corpus"
  "$fuzzer" -runs=0 "$corpus" 2>&1 | tail -n 2
  echo "-- $area: ${seconds}s of fuzzing"
  # A crash is kept under build/ for a look, never in the source tree.
  "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -artifact_prefix="$bin_dir/" \
    "$scratch" "$corpus" 2>&1 | tail -n 2
  rm -rf "$scratch"
done
[ "$found" -eq 1 ] || echo "no fuzz targets built"
