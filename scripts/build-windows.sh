#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 from Debian's own packages and
# sources: MinGW-w64 cross compilers, the libraries cross-built from their
# Debian source packages (the host's versions) into a cache outside the tree,
# then Quintora, its tests under Wine, the folder, the zip and the installer.
# Safe to run again: a library is built only when its cache folder is missing,
# and an interrupted build resumes in its build folder.
#
#   scripts/build-windows.sh            everything (the first run takes hours)
#   scripts/build-windows.sh --no-qt    what needs no Qt, tested under Wine (CI)
#   scripts/build-windows.sh --qt-only  only the Qt libraries
#   scripts/build-windows.sh --package  only the folder, zip and installer of
#                                       what build/windows holds
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

mode=all
case "${1:-}" in
  --no-qt) mode=no-qt ;;
  --qt-only) mode=qt-only ;;
  --package) mode=package ;;
  "") ;;
  *) echo "usage: $0 [--no-qt|--qt-only|--package]" >&2; exit 2 ;;
esac

cache=${QUINTORA_WINDOWS_CACHE:-$HOME/.cache/quintora/windows}
jobs=${QUINTORA_JOBS:-2}
triple=x86_64-w64-mingw32
mkdir -p "$cache/src" "$cache/build" "$cache/logs" "$cache/toolchain"
# The libraries' build folders outlive this checkout: they name a copy of the
# toolchain file in the cache, which is replaced only when it changes.
toolchain=$cache/toolchain/mingw-w64.cmake
cmp -s "$root/cmake/toolchains/mingw-w64.cmake" "$toolchain" || cp "$root/cmake/toolchains/mingw-w64.cmake" "$toolchain"

log() { printf '%s %s\n' "$(date -u +%H:%M:%S)" "$*"; }

# Seconds spent on each step, printed at the end.
timings=()
timed() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  timings+=("$name: $((SECONDS - start)) s")
}

# The Debian source package behind an installed package, at the host's version.
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}' "$1"; }
# Its upstream version, naming the cache folder.
upstream_of() {
  dpkg-query -W -f='${source:Version}' "$1" | sed -e 's/^[0-9]*://' -e 's/-[^-]*$//' -e 's/[.+~]dfsg.*//' -e 's/+ds.*//'
}

# --- Debian sources through a private list; the machine's apt stays as it is.
apt_private=(
  -o "Dir::Etc::SourceList=$cache/apt/sources.list"
  -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$cache/apt/lists"
  -o "Dir::Cache=$cache/apt/cache"
  -o APT::Sandbox::User=root
)
apt_private_update() {
  [ -f "$cache/apt/updated" ] && return
  mkdir -p "$cache/apt/lists/partial" "$cache/apt/cache/archives/partial"
  # deb-src lines for the mirrors and suites the machine already uses.
  local uris suites
  : >"$cache/apt/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v out="$cache/apt/sources.list" '
      function flush() {
        if (uris != "" && types ~ /deb/) {
          n = split(suites, s, " ")
          for (i = 1; i <= n; i++)
            printf "deb-src [signed-by=%s] %s %s %s\n", key, uris, s[i], comps >> out
        }
        types = uris = suites = comps = key = ""
      }
      /^[ \t]*$/ { flush(); next }
      /^Types:/ { sub(/^Types:[ \t]*/, ""); types = $0 }
      /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris = $0 }
      /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
      /^Components:/ { sub(/^Components:[ \t]*/, ""); comps = $0 }
      /^Signed-By:/ { sub(/^Signed-By:[ \t]*/, ""); key = $0 }
      END { flush() }' "$f"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >>"$cache/apt/sources.list"
  fi
  apt-get "${apt_private[@]}" update -qq
  touch "$cache/apt/updated"
}

# fetch_source SRCPKG=VERSION: the unpacked Debian source (Debian's patches
# applied) in $cache/src/SRCPKG-UPSTREAM, printed.
fetch_source() {
  local pkg=${1%%=*} version=${1#*=}
  local noepoch=${version#*:}
  local dir=$cache/src/$pkg-${noepoch%-*}
  if [ ! -d "$dir" ]; then
    apt_private_update
    rm -rf "$dir.tmp"
    if (cd "$cache/src" && apt-get "${apt_private[@]}" source --download-only -qq "$pkg=$version" >&2); then
      (cd "$cache/src" && dpkg-source -x "${pkg}_${noepoch}.dsc" "$dir.tmp" >&2)
    else
      # A mirror that lost the Debian changes but has the upstream tarball:
      # build upstream's source, and say so.
      local orig
      orig=$(ls "$cache/src/${pkg}_${noepoch%-*}".orig.tar.* 2>/dev/null | head -1)
      [ -n "$orig" ] || return 1
      echo "warning: $pkg: Debian's changes not on the mirror; building upstream's $orig" >&2
      mkdir -p "$dir.tmp" && tar -xf "$orig" -C "$dir.tmp" --strip-components=1
    fi
    mv "$dir.tmp" "$dir"
  fi
  echo "$dir"
}

# apply_patch SOURCE PATCH: applies a patch of ours once; a second run finds
# it applied and leaves the source alone.
apply_patch() {
  local src=$1 patch=$root/$2
  if patch -d "$src" -p1 -R --dry-run -s -f <"$patch" >/dev/null 2>&1; then return; fi
  patch -d "$src" -p1 -N -s <"$patch"
}

cmake_cross() { # SOURCE BUILD PREFIX [cmake options...]
  local src=$1 build=$2 prefix=$3
  shift 3
  if [ ! -f "$build/build.ninja" ]; then
    cmake -G Ninja -S "$src" -B "$build" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DQUINTORA_WINDOWS_PREFIXES="$(windows_prefixes)" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  fi
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
}

qt_base=$cache/qt6-base-$(upstream_of qt6-base-dev)
zlib=$cache/zlib-$(upstream_of zlib1g-dev)
libical=$cache/libical-$(upstream_of libical-dev)
xlsxwriter=$cache/libxlsxwriter-$(upstream_of libxlsxwriter-dev)
gtest=$cache/googletest-$(upstream_of libgtest-dev)
cli11=$cache/cli11-$(upstream_of libcli11-dev)
cadical=$cache/cadical-$(upstream_of libcadical-dev)

windows_prefixes() {
  local list=$zlib\;$libical\;$xlsxwriter\;$gtest\;$cli11\;$cadical
  [ -f "$qt_base/.built" ] && list+=\;$qt_base
  echo "$list"
}

# build_library NAME PREFIX FUNCTION: FUNCTION builds and installs into
# PREFIX, only when PREFIX is not complete yet; its output goes to a log.
build_library() {
  local name=$1 prefix=$2 fn=$3
  [ -f "$prefix/.built" ] && return
  log "building $name into $prefix (log: $cache/logs/$name.log)"
  local start=$SECONDS
  local rc
  # A subshell outside any condition, so that errexit stops at the first failure.
  set +e
  (set -e; "$fn") >"$cache/logs/$name.log" 2>&1
  rc=$?
  set -e
  if [ $rc -ne 0 ]; then
    tail -30 "$cache/logs/$name.log" >&2
    echo "building $name failed; see $cache/logs/$name.log" >&2
    exit 1
  fi
  touch "$prefix/.built"
  timings+=("$name: $((SECONDS - start)) s")
}

# Qt: only what Quintora uses (Core, Gui, Widgets, PrintSupport, OpenGL, the
# Windows platform plugin, Qt Test); the host's moc, rcc and uic of the same
# version do the code generation.
qt_base_build() {
  local src
  src=$(fetch_source "$(source_of qt6-base-dev)")
  # Qt 6.4's print engine and Windows plugin call the DirectWrite font code,
  # which Qt Gui builds only together with Direct2D (left out here): ask for both.
  apply_patch "$src" packaging/windows/patches/qt6-base-directwrite-needs-direct2d.patch
  cmake_cross "$src" "$cache/build/qt6-base" "$qt_base" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_opengl=ON -DFEATURE_opengl_desktop=ON \
    -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_qmake=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF \
    -DFEATURE_qtwaylandscanner=OFF
}

# zlib: the static library (libxlsxwriter's workbooks are zip files).
zlib_build() {
  local src
  src=$(fetch_source "$(source_of zlib1g-dev)")
  # Debian's zlib source has no Windows makefile; the library is its C files.
  local build=$cache/build/zlib
  rm -rf "$build" && mkdir -p "$build" "$zlib/include" "$zlib/lib/pkgconfig" "$zlib/share/licenses"
  for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
    inftrees trees uncompr zutil; do
    $triple-gcc-posix -O2 -D_LARGEFILE64_SOURCE=1 -c "$src/$c.c" -o "$build/$c.o"
  done
  $triple-ar rcs "$zlib/lib/libz.a" "$build"/*.o
  cp "$src/zlib.h" "$src/zconf.h" "$zlib/include/"
  cp "$src/LICENSE" "$zlib/share/licenses/zlib.txt"
  cat >"$zlib/lib/pkgconfig/zlib.pc" <<PC
prefix=$zlib
Name: zlib
Description: zlib compression library
Version: $(upstream_of zlib1g-dev)
Libs: -L\${prefix}/lib -lz
Cflags: -I\${prefix}/include
PC
}

# libical: only the C library, static.
libical_build() {
  local src
  src=$(fetch_source "$(source_of libical-dev)")
  cmake_cross "$src" "$cache/build/libical" "$libical" \
    -DSTATIC_ONLY=ON -DSHARED_ONLY=OFF -DLIBICAL_BUILD_TESTING=OFF \
    -DICAL_GLIB=OFF -DGOBJECT_INTROSPECTION=OFF -DICAL_BUILD_DOCS=OFF \
    -DENABLE_GTK_DOC=OFF -DWITH_CXX_BINDINGS=OFF -DLIBICAL_JAVA_BINDINGS=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_ICU=ON -DCMAKE_DISABLE_FIND_PACKAGE_BDB=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON -DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON
  mkdir -p "$libical/share/licenses"
  cp "$src/LICENSE.MPL2.txt" "$libical/share/licenses/libical-MPL-2.0.txt"
  cp "$src/LICENSE" "$libical/share/licenses/libical.txt" 2>/dev/null || true
}

# libxlsxwriter: static, with its own minizip over the zlib above.
xlsxwriter_build() {
  local src
  src=$(fetch_source "$(source_of libxlsxwriter-dev)")
  cmake_cross "$src" "$cache/build/libxlsxwriter" "$xlsxwriter" \
    -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
    -DZLIB_ROOT="$zlib" -DZLIB_LIBRARY="$zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$zlib/include"
  # Its pkg-config file names zlib without saying where it is.
  sed -i "s|^Libs: .*|Libs: -L\\\${libdir} -lxlsxwriter -L$zlib/lib -lz|" "$xlsxwriter/lib/pkgconfig/xlsxwriter.pc"
  mkdir -p "$xlsxwriter/share/licenses"
  cp "$src/License.txt" "$xlsxwriter/share/licenses/libxlsxwriter.txt"
}

# CaDiCaL (Fairest's search): the static library, as Debian builds it, from
# its C++ files less the two programs; its build.hpp is written here, as its
# configure script would.
cadical_build() {
  local src
  src=$(fetch_source "$(source_of libcadical-dev)")
  local build=$cache/build/cadical
  rm -rf "$build" && mkdir -p "$build" "$cadical/include" "$cadical/lib" "$cadical/share/licenses"
  cat >"$build/build.hpp" <<HPP
#define VERSION "$(cat "$src/VERSION")"
#define IDENTIFIER "debian"
#define COMPILER "$triple-g++-posix"
#define FLAGS "-O3 -DNDEBUG"
#define DATE "unknown"
HPP
  for cpp in "$src"/src/*.cpp; do
    case $(basename "$cpp") in cadical.cpp | mobical.cpp) continue ;; esac
    $triple-g++-posix -O3 -DNDEBUG -DNUNLOCKED -I"$build" -c "$cpp" -o "$build/$(basename "$cpp" .cpp).o"
  done
  $triple-ar rcs "$cadical/lib/libcadical.a" "$build"/*.o
  cp "$src/src/cadical.hpp" "$cadical/include/"
  cp "$src/LICENSE" "$cadical/share/licenses/cadical.txt"
}

# GoogleTest from the host's own sources (libgtest-dev).
gtest_build() {
  cmake_cross /usr/src/googletest "$cache/build/googletest" "$gtest" \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

# CLI11 is header-only: the host's headers and CMake files, in a prefix of
# their own so that the cross build finds nothing else of the host's.
cli11_build() {
  mkdir -p "$cli11/include" "$cli11/share/cmake" "$cli11/share/licenses"
  cp -a /usr/include/CLI "$cli11/include/"
  cp -a /usr/share/cmake/CLI11 "$cli11/share/cmake/"
  cp /usr/share/doc/libcli11-dev/copyright "$cli11/share/licenses/CLI11.txt"
}

build_libraries() {
  build_library cli11 "$cli11" cli11_build
  build_library zlib "$zlib" zlib_build
  build_library libical "$libical" libical_build
  build_library libxlsxwriter "$xlsxwriter" xlsxwriter_build
  build_library googletest "$gtest" gtest_build
  build_library cadical "$cadical" cadical_build
}

# Quintora itself, with the desktop programs when Qt is there, and its tests
# under Wine.
build_quintora() {
  local gui=OFF
  [ -f "$qt_base/.built" ] && gui=ON
  cmake --preset windows -DQUINTORA_BUILD_GUI=$gui >/dev/null
  cmake --build --preset windows -j"$jobs"
  ctest --preset windows -j"$jobs" -L wine
}

version() { sed -n 's/^project(Quintora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# make_ico OUT PNG...: a Windows icon holding the PNG images as they are.
make_ico() {
  local out=$1 png size w offset
  shift
  bytes() { local b; for b in "$@"; do printf "$(printf '\\x%02x' "$b")"; done; }
  le16() { bytes $(($1 & 255)) $(($1 >> 8 & 255)); }
  le32() { bytes $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  {
    le16 0; le16 1; le16 $#
    offset=$((6 + 16 * $#))
    for png in "$@"; do
      w=$(od -An -tu1 -j18 -N2 "$png" | awk '{print $1*256 + $2}')
      [ "$w" -ge 256 ] && w=0
      size=$(stat -c %s "$png")
      bytes "$w" "$w" 0 0; le16 1; le16 32; le32 "$size"; le32 $offset
      offset=$((offset + size))
    done
    cat "$@"
  } >"$out"
}

# The folder the zip and the installer hold: the programs, the DLLs and Qt
# plugins they load, the examples, the user guide and every licence.
stage_package() {
  local stage=$1 bin=$root/build/windows/bin
  rm -rf "$stage" && mkdir -p "$stage/licenses" "$stage/examples"
  for exe in quintora quintora-cli quintora-view; do
    [ -f "$bin/$exe.exe" ] && cp "$bin/$exe.exe" "$stage/"
  done
  # The PDF module, loaded from beside the programs only when a PDF is made.
  [ -f "$bin/quintora-pdf.dll" ] && cp "$bin/quintora-pdf.dll" "$stage/"
  $triple-strip "$stage"/*.exe
  local gcc_dir pthread_dll
  gcc_dir=$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")
  pthread_dll=$($triple-g++-posix -print-file-name=libwinpthread-1.dll)
  cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$pthread_dll" "$stage/"
  if [ -f "$stage/quintora.exe" ]; then
    local dll
    for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
      cp "$qt_base/bin/$dll.dll" "$stage/"
    done
    for dir in platforms styles imageformats; do
      [ -d "$qt_base/plugins/$dir" ] && mkdir -p "$stage/$dir" && cp "$qt_base/plugins/$dir"/*.dll "$stage/$dir/"
    done
    # quintora-cli makes PDFs on the offscreen platform; the programs use qwindows.
    rm -f "$stage/platforms/qminimal.dll" "$stage/platforms/qdirect2d.dll"
  fi
  find "$stage" -name '*.dll' -exec $triple-strip --strip-unneeded {} +
  cp examples/*.sch "$stage/examples/"
  sed 's/$/\r/' README.md >"$stage/README.txt"
  make_ico "$stage/quintora.ico" src/ui/qt/resources/quintora-{16,32,48,256}.png
  cp "$stage/quintora.ico" "$stage/quintora-league.ico"

  local l=$stage/licenses
  cp LICENSE "$l/Quintora.txt"
  cp "$zlib/share/licenses/zlib.txt" "$l/zlib.txt"
  cp "$libical/share/licenses/"* "$l/"
  cp "$xlsxwriter/share/licenses/libxlsxwriter.txt" "$l/"
  cp "$cli11/share/licenses/CLI11.txt" "$l/"
  cp "$cadical/share/licenses/cadical.txt" "$l/CaDiCaL.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$l/MinGW-w64-GCC-runtime.txt"
  cp /usr/share/doc/mingw-w64-common/copyright "$l/MinGW-w64-winpthreads.txt"
  if [ -f "$stage/quintora.exe" ]; then
    local qt_src
    qt_src=$(fetch_source "$(source_of qt6-base-dev)")
    cp "$qt_src/LICENSES/LGPL-3.0-only.txt" "$qt_src/LICENSES/GPL-3.0-only.txt" "$l/"
    sed -e "s/@QT_VERSION@/$(upstream_of qt6-base-dev)/" \
      -e "s/@QT_BASE_DEBIAN@/$(dpkg-query -W -f='${source:Version}' qt6-base-dev)/" \
      packaging/windows/Qt-notice.txt >"$l/Qt.txt"
    # The third-party code Qt carries into its DLLs.
    local lib
    mkdir -p "$l/Qt-third-party"
    for lib in freetype harfbuzz-ng pcre2 libpng libjpeg md4c double-conversion zlib easing forkfd; do
      find "$qt_src/src/3rdparty/$lib" -maxdepth 2 \( -iname 'licen[cs]e*' -o -iname 'copying*' -o -iname 'ftl.txt' \) \
        -type f | while read -r f; do cp "$f" "$l/Qt-third-party/$lib-$(basename "$f")"; done
    done
  fi
  # Notepad before Windows 10 shows LF-only text as one line.
  find "$l" -type f -exec sed -i 's/\r*$/\r/' {} +
}

# The zip and the NSIS installer of the staged folder.
package() {
  local v name out=$root/build/windows/package
  v=$(version)
  name=quintora-$v-windows
  mkdir -p "$out"
  stage_package "$out/$name"
  rm -f "$out/$name.zip"
  (cd "$out" && zip -qr9 "$name.zip" "$name")

  # The installer's exact list of files, and the uninstaller's.
  local files=$out/files.nsh unfiles=$out/uninstall-files.nsh rel win dir
  : >"$files"
  : >"$unfiles"
  (cd "$out/$name" && find . -type d | sort) | while read -r dir; do
    win=$(echo "${dir#./}" | tr / '\\')
    [ "$dir" = . ] && win=
    echo "SetOutPath \"\$INSTDIR${win:+\\$win}\"" >>"$files"
    (cd "$out/$name" && find "$dir" -maxdepth 1 -type f | sort) | while read -r rel; do
      echo "File \"$out/$name/${rel#./}\"" >>"$files"
      echo "Delete \"\$INSTDIR\\$(echo "${rel#./}" | tr / '\\')\"" >>"$unfiles"
    done
  done
  (cd "$out/$name" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    echo "RMDir \"\$INSTDIR\\$(echo "${dir#./}" | tr / '\\')\"" >>"$unfiles"
  done
  echo "SetOutPath \"\$INSTDIR\"" >>"$files"
  makensis -V2 -NOCD -DVERSION="$v" -DSTAGE="$out/$name" -DOUTFILE="$out/quintora-$v-setup.exe" \
    -DSIZE_KB="$(du -sk "$out/$name" | cut -f1)" -X"!addincludedir $out" packaging/windows/quintora.nsi
  log "package: $out/$name.zip ($(du -h "$out/$name.zip" | cut -f1)), $out/quintora-$v-setup.exe ($(du -h "$out/quintora-$v-setup.exe" | cut -f1))"
}

main() {
  if [ "$mode" = package ]; then
    package
    return
  fi
  if [ "$mode" != qt-only ]; then
    build_libraries
  fi
  if [ "$mode" != no-qt ]; then
    build_library qt6-base "$qt_base" qt_base_build
  fi
  if [ "$mode" != qt-only ]; then
    timed quintora build_quintora
  fi
  if [ "$mode" = all ]; then
    timed package package
  fi
  for t in "${timings[@]}"; do log "$t"; done
}

# Read whole before it runs: editing this file while a long build runs is safe.
main "$@"; exit $?
