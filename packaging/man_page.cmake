# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a gzip-compressed man page for a program from its --help and --version with help2man.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME="one line" -DOUTPUT=x.1.gz -DINCLUDE_DIR=man
#         [-DCOMMANDS=ON] -P man_page.cmake
# The sections --help does not hold (FILES, ENVIRONMENT, EXAMPLES, SEE ALSO) come from
# INCLUDE_DIR/common-files.h2m and INCLUDE_DIR/<program>.h2m. The "Exit status:" table of
# --help becomes the EXIT STATUS section.
# With COMMANDS, the page also gets each command's own help ("PROGRAM COMMAND --help"),
# without its exit status lines (the one table covers them); the commands are the lines of
# the --help output's "Commands:" section indented by two spaces.
# The offscreen platform keeps any Qt program from looking for a display (radioprog answers
# --help before it starts Qt anyway). The programs print UTF-8 here; its signs are written as
# groff escapes, which a terminal without UTF-8 shows in ASCII.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
get_filename_component(program_name ${PROGRAM} NAME)
get_filename_component(out_dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
file(MAKE_DIRECTORY ${out_dir})
set(include_options --include=${INCLUDE_DIR}/common-files.h2m)
if(EXISTS ${INCLUDE_DIR}/${program_name}.h2m)
  list(APPEND include_options --include=${INCLUDE_DIR}/${program_name}.h2m)
endif()
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
    string(REGEX REPLACE "\nExit status:\n.*$" "\n" text "${text}")
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "→" "\\(->" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(APPEND include_text ".SS ${command}\n.nf\n${text}.fi\n")
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
file(WRITE ${page} "${roff}")
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${page}")
endif()
