# Run by cpack once it has made each package: the Windows installer and MSI
# signed where a certificate is given, and each package's bill of materials
# beside it, as PACKAGE.cdx.json: the .deb's made here, from its files and
# what it depends on; a Windows package's the one it holds.
list(FILTER CPACK_PACKAGE_FILES INCLUDE REGEX "\\.(deb|exe|msi|zip)$") # not the External generator's JSON
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  cmake_path(GET package FILENAME name)
  set(sbom ${CPACK_PACKAGE_DIRECTORY}/${name}.cdx.json)
  if(name MATCHES "\\.deb$")
    # CPack gives the package's three members the modes of the files it
    # made them from, which the umask of whoever builds decides. GNU ar's
    # deterministic mode writes them as Debian's own packages have them:
    # 0644 and root's, with no time.
    set(members ${CPACK_TOPLEVEL_DIRECTORY}/deb-members)
    file(REMOVE_RECURSE ${members})
    file(MAKE_DIRECTORY ${members})
    execute_process(COMMAND ${CPACK_TELLWICK_AR} x ${package} WORKING_DIRECTORY ${members} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CPACK_TELLWICK_AR} t ${package} OUTPUT_VARIABLE order COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" order "${order}")
    file(REMOVE ${package})
    execute_process(COMMAND ${CPACK_TELLWICK_AR} rcD ${package} ${order} WORKING_DIRECTORY ${members}
                    COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${members})

    set(files ${CPACK_TOPLEVEL_DIRECTORY}/sbom-files)
    file(REMOVE_RECURSE ${files})
    execute_process(COMMAND dpkg-deb --extract ${package} ${files} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND dpkg-deb --field ${package} Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CPACK_TELLWICK_CMAKE} -D OUTPUT=${sbom} -D FOLDER=${files} -D "DEPENDS=${depends}"
                            ${CPACK_TELLWICK_SBOM} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${files})
  else()
    if(name MATCHES "\\.(exe|msi)$")
      execute_process(COMMAND ${CPACK_TELLWICK_CMAKE} -D FILE=${package} -P ${CPACK_TELLWICK_SIGN}
                      COMMAND_ERROR_IS_FATAL ANY)
    else()
      # The zip writer records each file's owner, and its time in the local
      # time zone: both are the builder's, which strip-nondeterminism sets
      # to fixed ones.
      execute_process(COMMAND strip-nondeterminism --type zip --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
                      OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(GLOB_RECURSE held ${CPACK_TEMPORARY_DIRECTORY}/${CPACK_TELLWICK_SBOM_NAME})
    configure_file(${held} ${sbom} COPYONLY)
  endif()
endforeach()
