#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it. The
# major version is pinned: another version formats some constructs otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
if ! command -v "$format" >/dev/null; then
  echo "$format is missing; run scripts/install-deps.sh" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! "$format" --dry-run --Werror "${files[@]}"; then
  echo "Some files are not formatted. Fix them with: $format -i FILE..." >&2
  exit 1
fi
echo "${#files[@]} files formatted"
