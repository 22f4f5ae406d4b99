#!/usr/bin/env bash
# Makes the Debian package and prints its path last.
#
#   scripts/package.sh           release build of the programs in build/package, with
#                                Debian's hardening flags: build/package/quintora_*.deb
#   scripts/package.sh FOLDER    packages an existing release build folder as it is
#                                (built up to date first): FOLDER/quintora_*.deb
set -euo pipefail
# A folder named on the command line is taken from where the script was called.
[ $# -ge 1 ] && set -- "$(realpath -m -- "$1")" "${@:2}"
cd "$(dirname "$0")/.."

die() {
  echo "package.sh: $*" >&2
  exit 1
}

cache_value() {  # cache_value FOLDER NAME: a variable from FOLDER's CMakeCache.txt
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

jobs=$(nproc 2>/dev/null || echo 2)

if [ $# -gt 1 ]; then
  die "usage: scripts/package.sh [RELEASE-BUILD-FOLDER]"
elif [ $# -eq 1 ]; then
  folder=${1%/}
  [ -f "$folder/CMakeCache.txt" ] || die "$folder is not a CMake build folder"
  # Only an optimised build without sanitizers makes a package one would ship.
  [ "$(cache_value "$folder" CMAKE_BUILD_TYPE)" = Release ] || die "$folder is not a Release build"
  [ "$(cache_value "$folder" QUINTORA_SANITIZE)" != ON ] || die "$folder is a sanitizer build"
  [ "$(cache_value "$folder" QUINTORA_BUILD_GUI)" != OFF ] ||
    die "$folder is built without the desktop programs"
  scripts/install-deps.sh
else
  folder=build/package
  scripts/install-deps.sh
  # Debian's compiler and linker flags with every hardening feature (fortified
  # functions, immediate binding, ...), minus -g: the package is stripped anyway.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQUINTORA_BUILD_TESTS=OFF -DQUINTORA_BUILD_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
fi

cmake --build "$folder" -j "$jobs"
rm -f "$folder"/quintora_*.deb
(cd "$folder" && cpack -G DEB)
ls "$folder"/quintora_*.deb
