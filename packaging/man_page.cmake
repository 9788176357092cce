# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a gzip-compressed man page for a program from its --help and --version with help2man.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME="one line" -DOUTPUT=x.1.gz -DINCLUDE_DIR=man
#         [-DCOMMANDS=ON -DPYTHON=python3] [-DEPOCH_FILE=...] -P man_page.cmake
# The sections --help does not hold (FILES, ENVIRONMENT, EXAMPLES, SEE ALSO) come from
# INCLUDE_DIR/<program>.h2m. The "Exit status:" table of
# --help becomes the EXIT STATUS section.
# With COMMANDS, the page also gets each command's own help ("PROGRAM COMMAND --help"),
# laid out by help_to_roff.py (with PYTHON) without its exit status lines (the one table
# covers them); the commands are the lines of the --help output's "Commands:" section
# indented by two spaces.
# The offscreen platform keeps any Qt program from looking for a display (radioprog answers
# --help before it starts Qt anyway). The programs print UTF-8 here; its signs are written as
# groff escapes, which a terminal without UTF-8 shows in ASCII.
# help2man dates the page from SOURCE_DATE_EPOCH, the time EPOCH_FILE holds, not from today.
set(ENV{QT_QPA_PLATFORM} offscreen)
if(EPOCH_FILE)
  file(READ ${EPOCH_FILE} epoch)
  string(STRIP "${epoch}" epoch)
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
set(ENV{LC_ALL} C.UTF-8)
get_filename_component(program_name ${PROGRAM} NAME)
get_filename_component(out_dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
file(MAKE_DIRECTORY ${out_dir})
set(include_options --include=${INCLUDE_DIR}/${program_name}.h2m)
if(COMMANDS)
  execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result TIMEOUT 60)
  string(FIND "${help}" "\nCommands:\n" start)
  string(SUBSTRING "${help}" ${start} -1 commands_section)
  string(FIND "${commands_section}" "\n\n" end)
  string(SUBSTRING "${commands_section}" 0 ${end} commands_section)
  string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" command_lines "${commands_section}")
  set(include_text "[COMMANDS]\n")
  foreach(line ${command_lines})
    string(STRIP "${line}" command)
    execute_process(COMMAND ${PROGRAM} ${command} --help
      COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/help_to_roff.py ${command}
      OUTPUT_VARIABLE text RESULTS_VARIABLE results TIMEOUT 60)
    if(NOT results STREQUAL "0;0")
      message(FATAL_ERROR "${program_name} ${command} --help could not be written as roff: ${results}")
    endif()
    string(APPEND include_text "${text}")
  endforeach()
  set(include_file ${page}.include)
  file(WRITE ${include_file} "${include_text}")
  list(APPEND include_options --include=${include_file})
endif()
execute_process(
  COMMAND ${HELP2MAN} ${include_options} --no-info --section=1 --name=${NAME}
    --output=${page} ${PROGRAM}
  RESULT_VARIABLE result TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man failed for ${PROGRAM}: ${result}")
endif()
file(READ ${page} roff)
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" roff "${roff}")
string(REPLACE "→" "\\(->" roff "${roff}")
# A command's synopsis that goes on over a second line (an indented "[...]" in --help) is
# one paragraph of the command list, not two.
string(REGEX REPLACE "\n\\.IP\n(\\[[^\n]*)" "\n\\1" roff "${roff}")
file(WRITE ${page} "${roff}")
if(PYTHON)
  execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/help_to_roff.py --fit ${page}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "help_to_roff.py --fit failed for ${page}")
  endif()
endif()
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${page}")
endif()
