# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack after it has staged the files of a package and before it packs
# them: every staged file and folder takes the time of the last commit
# (SOURCE_DATE_EPOCH), so that no package carries the time it was built at.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set (tools/release.sh sets it)")
endif()
file(GLOB_RECURSE prism_staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
if(prism_staged)
  execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" ${prism_staged}
                          "${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
