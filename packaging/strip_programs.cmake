# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack before it packs. Strips the installed programs and the print plugin as
# Debian's tools do (debug symbols and the compiler's .comment section out), after copying
# their debug information into the debug-symbols package, which it writes beside the main
# one: radioprog-dbgsym_<version>_<arch>.deb, each file as
# /usr/lib/debug/.build-id/xx/yyyy.debug, named by the program's build id, where debuggers
# look for it. Its archives carry SOURCE_DATE_EPOCH's time like the main package's.
set(debug_root "${CPACK_TOPLEVEL_DIRECTORY}/radioprog-dbgsym")
file(REMOVE_RECURSE "${debug_root}")
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib/radioprog/*.so"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib/*/radioprog/*.so")
set(build_ids "")
foreach(program ${programs})
  execute_process(COMMAND readelf -n ${program} OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
  if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "${program} has no build id")
  endif()
  list(APPEND build_ids ${CMAKE_MATCH_1}${CMAKE_MATCH_2})
  set(debug_file "${debug_root}/usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
  get_filename_component(debug_dir "${debug_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${debug_dir}")
  execute_process(COMMAND objcopy --only-keep-debug --compress-debug-sections ${program} ${debug_file}
    COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND strip --strip-unneeded --remove-section=.comment ${program} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND objcopy --add-gnu-debuglink=${debug_file} ${program} COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD "${debug_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

# Its documents are the main package's, as Debian's debug packages have them.
file(MAKE_DIRECTORY "${debug_root}/usr/share/doc")
file(CREATE_LINK ${CPACK_PACKAGE_NAME} "${debug_root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)

# The control file and the checksums, with paths relative to the root as dpkg wants them.
file(GLOB_RECURSE debug_files RELATIVE "${debug_root}" "${debug_root}/usr/lib/*")
list(SORT debug_files)
set(md5sums "")
set(bytes 0)
foreach(name ${debug_files})
  file(MD5 "${debug_root}/${name}" sum)
  string(APPEND md5sums "${sum}  ${name}\n")
  file(SIZE "${debug_root}/${name}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR kibibytes "(${bytes} + 1023) / 1024")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
list(JOIN build_ids " " build_ids)
file(MAKE_DIRECTORY "${debug_root}/DEBIAN")
file(WRITE "${debug_root}/DEBIAN/md5sums" "${md5sums}")
file(WRITE "${debug_root}/DEBIAN/control"
"Package: ${CPACK_PACKAGE_NAME}-dbgsym
Source: ${CPACK_PACKAGE_NAME}
Version: ${CPACK_PACKAGE_VERSION}
Architecture: ${arch}
Maintainer: ${CPACK_DEBIAN_PACKAGE_MAINTAINER}
Installed-Size: ${kibibytes}
Depends: ${CPACK_PACKAGE_NAME} (= ${CPACK_PACKAGE_VERSION})
Section: debug
Priority: optional
Auto-Built-Package: debug-symbols
Build-Ids: ${build_ids}
Description: debug symbols for ${CPACK_PACKAGE_NAME}
")
execute_process(COMMAND chmod -R u=rwX,go=rX "${debug_root}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND dpkg-deb --root-owner-group --build "${debug_root}"
  "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_NAME}-dbgsym_${CPACK_PACKAGE_VERSION}_${arch}.deb"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
