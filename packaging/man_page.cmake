# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a gzip-compressed man page for a program from its --help and --version with help2man.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME="one line" -DOUTPUT=x.1.gz
#         [-DCOMMANDS=ON] -P man_page.cmake
# With COMMANDS, the page also gets each command's own help ("PROGRAM COMMAND --help"); the
# commands are the lines of the --help output's "Commands:" section indented by two spaces.
# The offscreen platform keeps any Qt program from looking for a display (radioprog answers
# --help before it starts Qt anyway).
set(ENV{QT_QPA_PLATFORM} offscreen)
get_filename_component(out_dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
file(MAKE_DIRECTORY ${out_dir})
set(include_options "")
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
    execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE text TIMEOUT 60)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(APPEND include_text ".SS ${command}\n.nf\n${text}.fi\n")
  endforeach()
  set(include_file ${page}.include)
  file(WRITE ${include_file} "${include_text}")
  set(include_options --include=${include_file})
endif()
execute_process(
  COMMAND ${HELP2MAN} ${include_options} --no-info --section=1 --name=${NAME}
    --output=${page} ${PROGRAM}
  RESULT_VARIABLE result TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man failed for ${PROGRAM}: ${result}")
endif()
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${page}")
endif()
