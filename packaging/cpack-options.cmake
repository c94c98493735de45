# Read by cpack for each package it makes.
# The commit's time, for every time the package writes (packages.cmake).
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_TELLWICK_SOURCE_DATE})
endif()
# The Windows installer says what it is.
if(CPACK_GENERATOR STREQUAL NSIS)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}-setup)
endif()
