#!/usr/bin/env bash
# Makes the Debian package (scripts/package.sh) and checks it with lintian,
# Debian's own package checker: fails on any error or warning.
#
#   scripts/check-package.sh           fresh package build in build/package
#   scripts/check-package.sh FOLDER    packages an existing release build folder
#                                      (faster when it is already built)
set -euo pipefail
# A folder named on the command line is taken from where the script was called.
[ $# -ge 1 ] && set -- "$(realpath -m -- "$1")" "${@:2}"
cd "$(dirname "$0")/.."

folder=${1:-build/package}
scripts/package.sh "$@"
debs=("${folder%/}"/quintora_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-package.sh: expected one package in $folder" >&2
  exit 1
fi

echo "== lintian ${debs[0]} =="
# Informational tags are shown but do not fail the check; lintian's advice
# follows only when something does.
quiet_root() { grep -v 'running with root privileges' >&2; }
if ! lintian --display-info --fail-on error,warning "${debs[0]}" 2> >(quiet_root); then
  lintian --info "${debs[0]}" 2>/dev/null || true
  echo "check-package.sh: lintian found errors or warnings in ${debs[0]}" >&2
  exit 1
fi
echo "lintian: no error, no warning"
