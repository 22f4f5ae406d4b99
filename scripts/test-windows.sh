#!/usr/bin/env bash
# The Windows part of continuous integration: every library and program that
# needs no Qt, cross-built with the libraries from Debian's sources (cached
# after the first run), their tests under Wine, the installer of the command
# line installed and removed under Wine, and the command line's files
# compared with the Linux build's (build/release, made by scripts/test.sh).
# The full build with Qt and the desktop programs is scripts/build-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

echo "== windows: libraries, build, tests under Wine =="
scripts/build-windows.sh --no-qt
echo "== windows: installer =="
scripts/build-windows.sh --package
scripts/test-windows-installer.sh
if [ -x build/release/bin/quintora-cli ]; then
  echo "== windows: the command line's files against Linux's =="
  scripts/compare-windows.sh --quick build/release/bin/quintora-cli build/windows/bin/quintora-cli.exe
fi
