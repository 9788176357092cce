# Run by CPack before it packs: strips the installed programs as Debian's tools do (debug
# symbols and the compiler's .comment section out).
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program ${programs})
  execute_process(COMMAND strip --strip-unneeded --remove-section=.comment ${program}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip failed for ${program}")
  endif()
endforeach()
