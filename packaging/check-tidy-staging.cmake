# Test of tidy-staging.cmake on a staging folder of its own: the programs and
# the PDF module under libexec lose the sections lintian finds unneeded.
#   cmake -DMODULE=built.so -DSTRIP=strip -DOBJDUMP=objdump -DWORK=folder -P check-tidy-staging.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/usr/bin" "${WORK}/usr/libexec/quintora")
file(COPY_FILE "${MODULE}" "${WORK}/usr/bin/program")
file(COPY_FILE "${MODULE}" "${WORK}/usr/libexec/quintora/module.so")
set(CPACK_TEMPORARY_DIRECTORY "${WORK}")
set(CPACK_QUINTORA_STRIP "${STRIP}")
include("${CMAKE_CURRENT_LIST_DIR}/tidy-staging.cmake")
foreach(file IN ITEMS usr/bin/program usr/libexec/quintora/module.so)
  execute_process(COMMAND "${OBJDUMP}" -h "${WORK}/${file}" OUTPUT_VARIABLE sections RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR sections MATCHES "[ \t]\\.comment[ \t]")
    message(FATAL_ERROR "${file} keeps its .comment section")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
