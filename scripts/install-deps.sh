#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libcli11-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  clang libclang-rt-14-dev clang-format-14
  desktop-file-utils appstream
  # The Debian package and Debian's check of it.
  dpkg-dev file lintian
  # Publishing: calendar and workbook writers; the tests read back with unzip,
  # xmllint and pdftotext. The PDF needs fonts: DejaVu for Latin, Greek and Cyrillic,
  # WenQuanYi Micro Hei (5 MB) for Chinese, Japanese and Korean, Symbola for emoji.
  libical-dev libxlsxwriter-dev
  # Fairest's placement search with divisions and unavailable dates (static library).
  libcadical-dev
  unzip libxml2-utils poppler-utils
  fonts-dejavu-core fonts-wqy-microhei fonts-symbola
  # A virtual display for drawing the README's pictures with
  # season_window_screenshot.
  xvfb xauth
  # The Windows programs, cross-built (scripts/build-windows.sh): MinGW-w64
  # with POSIX threads for std::thread, Wine to run them and their tests,
  # NSIS for the installer, zip for the portable folder.
  g++-mingw-w64-x86-64-posix wine wine64 nsis zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
