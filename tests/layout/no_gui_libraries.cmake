# SPDX-License-Identifier: GPL-3.0-or-later
# radioprog-cli loads no Qt library at all, and the printing plugin it loads for
# "print" paints with Qt GUI but needs no widgets: the dynamic section of each file names
# the libraries the loader brings in with it (its NEEDED entries).
# Run with -DREADELF=<readelf> -DCLI=<radioprog-cli> [-DPLUGIN=<radioprog-print.so>].
function(needed_libraries file result)
  execute_process(COMMAND "${READELF}" --dynamic "${file}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${READELF} could not read ${file}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]*\\]" entries "${dynamic}")
  set(names "")
  foreach(entry ${entries})
    string(REGEX REPLACE ".*\\[([^]]*)\\]" "\\1" name "${entry}")
    list(APPEND names "${name}")
  endforeach()
  if(NOT names)
    message(FATAL_ERROR "no NEEDED entries found in ${file}: is it a dynamically linked program?")
  endif()
  set(${result} "${names}" PARENT_SCOPE)
endfunction()

function(refuse file)
  needed_libraries("${file}" names)
  message(STATUS "${file} needs: ${names}")
  foreach(name ${names})
    foreach(library ${ARGN})
      if(name MATCHES "^lib${library}\\.so")
        message(FATAL_ERROR "${file} needs ${name}")
      endif()
    endforeach()
  endforeach()
endfunction()

refuse("${CLI}" Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport)
if(PLUGIN)
  refuse("${PLUGIN}" Qt6Widgets Qt6PrintSupport)
endif()
