# The Windows cross build: CTest runs each Windows program under Wine through
# a small wrapper, with a private Wine prefix and no display. The MinGW
# run-time DLLs and Qt's are found through WINEPATH, as the package has them
# beside the programs.
find_program(QUINTORA_WINE wine REQUIRED)
set(QUINTORA_WINEPREFIX "$ENV{HOME}/.cache/quintora/windows/wine" CACHE PATH
    "The Wine prefix the Windows tests run in")

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE _quintora_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE _quintora_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_quintora_gcc_dlls "${_quintora_libstdcxx}" DIRECTORY)
get_filename_component(_quintora_pthread_dlls "${_quintora_winpthread}" DIRECTORY)
# The run-time DLLs the package ships beside the programs.
set(QUINTORA_MINGW_RUNTIME_DLLS
    "${_quintora_gcc_dlls}/libstdc++-6.dll" "${_quintora_gcc_dlls}/libgcc_s_seh-1.dll"
    "${_quintora_winpthread}")

set(_quintora_winepath "${_quintora_gcc_dlls}" "${_quintora_pthread_dlls}")
foreach(_p IN LISTS QUINTORA_WINDOWS_PREFIXES)
  if(IS_DIRECTORY "${_p}/bin")
    list(APPEND _quintora_winepath "${_p}/bin")
  endif()
endforeach()
# Wine takes Unix folders in WINEPATH, separated by semicolons.
list(JOIN _quintora_winepath ";" QUINTORA_WINEPATH)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
