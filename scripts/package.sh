#!/usr/bin/env bash
# Builds the release programs and makes the Debian package: build/package/quintora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v dpkg-shlibdeps >/dev/null || ! command -v file >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq dpkg-dev file
fi
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQUINTORA_BUILD_TESTS=OFF -DQUINTORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build/package
(cd build/package && cpack -G DEB)
ls build/package/quintora_*.deb
