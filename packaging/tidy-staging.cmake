# Run by CPack on the staging folder, after the install and before the
# package is built: what Debian's own helpers would do that CPack does not.
# - strip the compiler's .comment and the .note section, which a plain strip
#   keeps (lintian: binary-has-unneeded-section);
# - folders and programs 0755, every other file 0644, whatever the umask.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${root}/usr")
  message(FATAL_ERROR "tidy-staging: no staged files in '${root}'")
endif()

# The programs, and the PDF module under libexec.
function(strip_unneeded_sections entry)
  if(NOT CPACK_QUINTORA_STRIP)
    return()
  endif()
  execute_process(COMMAND "${CPACK_QUINTORA_STRIP}" --remove-section=.comment --remove-section=.note "${entry}"
                  RESULT_VARIABLE strip_result)
  if(NOT strip_result EQUAL 0)
    message(FATAL_ERROR "tidy-staging: cannot strip ${entry}")
  endif()
endfunction()

file(GLOB_RECURSE entries LIST_DIRECTORIES true "${root}/*")
foreach(entry IN LISTS entries)
  if(IS_SYMLINK "${entry}")
    continue()
  endif()
  set(program FALSE)
  if(NOT IS_DIRECTORY "${entry}" AND entry MATCHES "/usr/bin/[^/]+$")
    set(program TRUE)
  endif()
  if(program OR (NOT IS_DIRECTORY "${entry}" AND entry MATCHES "/usr/lib(exec)?/.+\\.so$"))
    strip_unneeded_sections("${entry}")
  endif()
  if(program OR IS_DIRECTORY "${entry}")
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                      WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
