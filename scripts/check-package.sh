#!/usr/bin/env bash
# Makes the Debian package (scripts/package.sh) and checks it with lintian,
# Debian's own package checker: fails on any error or warning.
#
#   scripts/check-package.sh           fresh package build in build/package
#   scripts/check-package.sh FOLDER    packages an existing release build folder
#                                      (faster when it is already built)
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v lintian >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "Installing: lintian"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends lintian
fi

folder=${1:-build/package}
scripts/package.sh "$@"
debs=("${folder%/}"/quintora_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || {
  echo "check-package.sh: expected one package in $folder" >&2
  exit 1
}

echo "== lintian ${debs[0]} =="
# Informational tags are shown but do not fail the check; lintian's advice
# follows only when something does.
if ! lintian --display-info --fail-on error,warning "${debs[0]}" 2> >(grep -v 'running with root privileges' >&2); then
  lintian --info "${debs[0]}" 2>/dev/null || true
  echo "check-package.sh: lintian found errors or warnings in ${debs[0]}" >&2
  exit 1
fi
echo "lintian: no error, no warning"
