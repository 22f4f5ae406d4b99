# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX thread
# model: std::thread and std::mutex need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUINTORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUINTORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUINTORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUINTORA_MINGW_TRIPLE}-windres)

# The cross-built libraries (Qt, libical, libxlsxwriter, zlib, GoogleTest,
# CLI11) live in a cache outside the tree, one folder each, which
# scripts/build-windows.sh marks complete with a file .built.
if(NOT DEFINED QUINTORA_WINDOWS_PREFIXES)
  if(DEFINED ENV{QUINTORA_WINDOWS_CACHE})
    set(_quintora_cache "$ENV{QUINTORA_WINDOWS_CACHE}")
  else()
    set(_quintora_cache "$ENV{HOME}/.cache/quintora/windows")
  endif()
  file(GLOB _quintora_built "${_quintora_cache}/*/.built")
  set(QUINTORA_WINDOWS_PREFIXES "")
  foreach(_b IN LISTS _quintora_built)
    get_filename_component(_p "${_b}" DIRECTORY)
    list(APPEND QUINTORA_WINDOWS_PREFIXES "${_p}")
  endforeach()
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${QUINTORA_MINGW_TRIPLE} ${QUINTORA_WINDOWS_PREFIXES})
list(APPEND CMAKE_PREFIX_PATH ${QUINTORA_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must never hand the host's Linux libraries to the cross build.
set(_quintora_pc "")
foreach(_p IN LISTS QUINTORA_WINDOWS_PREFIXES)
  list(APPEND _quintora_pc ${_p}/lib/pkgconfig ${_p}/share/pkgconfig)
endforeach()
list(JOIN _quintora_pc ":" _quintora_pc)
set(ENV{PKG_CONFIG_LIBDIR} "${_quintora_pc}")
set(ENV{PKG_CONFIG_PATH} "")
unset(ENV{PKG_CONFIG_SYSROOT_DIR})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUINTORA_WINDOWS_PREFIXES)

# A cross-built Qt runs the host's moc, rcc and uic of the same version.
set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools are")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Where the host's Qt CMake files are")
