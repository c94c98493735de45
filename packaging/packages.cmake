# What every package shares: the time it writes, its folders' permissions,
# its bill of materials beside it, and what cpack does once it is made.

# The time every package writes, so that two builds of one commit give the
# same bytes: the caller's SOURCE_DATE_EPOCH, else the commit's time, from
# git or, in a release tarball made by `git archive`, from the file
# source-date-epoch, which git filled in.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TELLWICK_SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
else()
  file(STRINGS packaging/source-date-epoch TELLWICK_SOURCE_DATE)
  if(NOT TELLWICK_SOURCE_DATE MATCHES "^[0-9]+$")
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                    OUTPUT_VARIABLE TELLWICK_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    # Configured again at each commit, which git logs there.
    execute_process(COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
                    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE log OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(EXISTS "${log}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${log})
    endif()
  endif()
endif()
# cpack and what it runs (the archive writers, strip, makensis, wixl) read
# it from their environment.
set(CPACK_TELLWICK_SOURCE_DATE ${TELLWICK_SOURCE_DATE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/cpack-options.cmake)

# Each package's bill of materials (sbom.cmake), told what the package is:
# the program's own licence is the one packaging/copyright gives, which SPDX
# does not list.
if(WIN32)
  set(program tellwick.exe)
else()
  set(program usr/bin/tellwick)
endif()
file(CONFIGURE OUTPUT sbom-about.cmake @ONLY CONTENT [[
set(NAME "@TELLWICK_NAME@")
set(VERSION "@PROJECT_VERSION@")
set(VENDOR "@CPACK_PACKAGE_VENDOR@")
set(LICENCE LicenseRef-Tellwick)
set(PROGRAM "@program@")
set(SOURCE_DATE @TELLWICK_SOURCE_DATE@)
]])
set(CPACK_TELLWICK_CMAKE ${CMAKE_COMMAND})
set(CPACK_TELLWICK_AR ${CMAKE_AR})
set(CPACK_TELLWICK_SBOM -D ABOUT=${CMAKE_CURRENT_BINARY_DIR}/sbom-about.cmake
    -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/sbom.cmake)
set(CPACK_TELLWICK_SBOM_NAME tellwick.cdx.json)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/pre-build.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/post-build.cmake)
