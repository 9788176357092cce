# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the time that the package's files and man pages carry to OUTPUT, so that two builds
# of one commit make the same package: SOURCE_DATE_EPOCH when it is set, else the time of the
# tree's last commit, else FALLBACK (the release date of a tree without its history). The
# file is rewritten only when the time changes, so what depends on it is remade only then.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -DFALLBACK=<seconds> -P source_date_epoch.cmake
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch MATCHES "^[0-9]+$")
  execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  set(epoch ${FALLBACK})
endif()
set(old "")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL "${epoch}\n")
  file(WRITE ${OUTPUT} "${epoch}\n")
endif()
