# SPDX-License-Identifier: GPL-3.0-or-later
# The build lists its files by name. A source, test or data file that is missing from its
# CMakeLists.txt is silently not built, not run or not installed: this check names every such
# file. Run with -DSOURCE_DIR=<repository root>.
#
# Checked: every .cpp under src/ (and every header of the Qt folders, which moc needs) in
# src/CMakeLists.txt, every .cpp under tests/ except the fuzz targets (built from their
# names in tests/fuzz/CMakeLists.txt) in tests/CMakeLists.txt, every benchmark in
# bench/CMakeLists.txt, and the data files and toolbar icons in data/CMakeLists.txt.

set(missing "")

# Adds to "missing" each of the files matching the patterns below FOLDER whose path relative
# to FOLDER is not a word of FOLDER/CMakeLists.txt.
function(check_listed folder)
  file(READ "${SOURCE_DIR}/${folder}/CMakeLists.txt" text)
  string(REGEX REPLACE "[()\t\n]" " " text " ${text} ")
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}/${folder}" ${ARGN})
  list(LENGTH files count)
  if(count EQUAL 0)
    message(FATAL_ERROR "no files found under ${SOURCE_DIR}/${folder}")
  endif()
  foreach(file ${files})
    if(file MATCHES "^fuzz/")
      continue()
    endif()
    string(FIND "${text}" " ${file} " position)
    if(position EQUAL -1)
      list(APPEND missing "${folder}/${file} (add it to ${folder}/CMakeLists.txt)")
    endif()
  endforeach()
  set(missing "${missing}" PARENT_SCOPE)
endfunction()

check_listed(src "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*/gui/*.h"
             "${SOURCE_DIR}/src/ui/*.h" "${SOURCE_DIR}/src/print/paint/*.h")
check_listed(tests "${SOURCE_DIR}/tests/*.cpp")
check_listed(bench "${SOURCE_DIR}/bench/*.cpp" "${SOURCE_DIR}/bench/*.c")
check_listed(data "${SOURCE_DIR}/data/*.csv" "${SOURCE_DIR}/data/*.ico" "${SOURCE_DIR}/data/*.JPG"
             "${SOURCE_DIR}/data/icons/*.png")

if(missing)
  string(REPLACE ";" "\n" report "${missing}")
  message(FATAL_ERROR "files the build does not list:\n${report}")
endif()
