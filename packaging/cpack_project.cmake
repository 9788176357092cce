# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack before it packs: the archives' member times (and gzip's and xz's headers)
# come from SOURCE_DATE_EPOCH, which the build wrote down when the caller did not set it.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  file(READ "${CPACK_RADIOPROG_EPOCH_FILE}" epoch)
  string(STRIP "${epoch}" epoch)
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
