# SPDX-License-Identifier: GPL-3.0-or-later
# The editors and the printout reach the main window only through shell/gui/editor_host.h:
# no file under src/editors or src/print may include shell/gui/main_frame.h.
# Run with -DSOURCE_DIR=<repository root>.
file(GLOB_RECURSE sources "${SOURCE_DIR}/src/editors/*" "${SOURCE_DIR}/src/print/*")
set(offenders "")
foreach(source ${sources})
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*main_frame\\.h[\">]")
  if(lines)
    list(APPEND offenders "${source}: ${lines}")
  endif()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}/src/editors and src/print")
endif()
if(offenders)
  string(REPLACE ";" "\n" report "${offenders}")
  message(FATAL_ERROR "main_frame.h included from the editors or the printout:\n${report}")
endif()
