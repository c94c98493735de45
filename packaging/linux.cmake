# The Linux install and the Debian package.
# The program, its desktop entry, icons, AppStream metainfo,
# manual page and documents. Everything an install takes is made when
# configuring or with the program, so installing after `./run.sh` works too.
include(GNUInstallDirs)
configure_file(packaging/tellwick.desktop.in ${TELLWICK_APP_ID}.desktop @ONLY)
configure_file(packaging/tellwick.metainfo.xml.in ${TELLWICK_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/tellwick.1.in tellwick.1 @ONLY)
configure_file(packaging/changelog changelog COPYONLY)
foreach(document tellwick.1 changelog) # compressed, as Debian ships them
  execute_process(COMMAND gzip -9nc ${document} OUTPUT_FILE ${document}.gz
                  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(appsdir ${CMAKE_INSTALL_DATADIR}/applications)
set(metainfodir ${CMAKE_INSTALL_DATADIR}/metainfo)
set(man1dir ${CMAKE_INSTALL_MANDIR}/man1)
set(icondir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(destinations ${CMAKE_INSTALL_BINDIR} ${appsdir} ${metainfodir} ${man1dir} ${CMAKE_INSTALL_DOCDIR}
    ${icondir}/scalable/apps)
list(TRANSFORM TELLWICK_ICON_SIZES REPLACE "(.+)" "${icondir}/\\1x\\1/apps" OUTPUT_VARIABLE sizedirs)
list(APPEND destinations ${sizedirs})
# Before any file: the folders this install is about to make, so that
# tools/uninstall.sh takes away those and no folder that was there before.
install(CODE "set(destinations ${destinations})
              set(record ${CMAKE_CURRENT_BINARY_DIR}/install_folders.txt)")
install(SCRIPT packaging/record-folders.cmake)

install(TARGETS tellwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TELLWICK_APP_ID}.desktop DESTINATION ${appsdir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TELLWICK_APP_ID}.metainfo.xml DESTINATION ${metainfodir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tellwick.1.gz DESTINATION ${man1dir})
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(size folder IN ZIP_LISTS TELLWICK_ICON_SIZES sizedirs)
  install(FILES resources/icons/tellwick-${size}.png DESTINATION ${folder} RENAME ${TELLWICK_APP_ID}.png)
endforeach()
install(FILES resources/icons/tellwick.svg DESTINATION ${icondir}/scalable/apps RENAME ${TELLWICK_APP_ID}.svg)
# Only lintian reads this, and only inside a package: the package alone has it.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tellwick
        COMPONENT debian EXCLUDE_FROM_ALL)

# The Debian package: cmake --workflow --preset package
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# One package of everything, the lintian override included.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation") # the rest comes from dpkg-shlibdeps
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")   # to run natively on a Wayland session
