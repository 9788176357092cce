# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack before it packs: strips the installed programs and the print plugin as Debian's tools do (debug
# symbols and the compiler's .comment section out).
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib/radioprog/*.so"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib/*/radioprog/*.so")
foreach(program ${programs})
  execute_process(COMMAND strip --strip-unneeded --remove-section=.comment ${program}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip failed for ${program}")
  endif()
endforeach()
