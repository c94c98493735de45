# The Windows program and its packages: the icon, version record and manifest
# inside tellwick.exe; the folder it runs from (the program, Qt's DLLs and
# plugins, MinGW's runtime, the licences); an installer for the current user,
# an MSI for the machine and a portable zip:
#   cmake --build --preset windows --target package

# The icon from the same images as the Linux icons, every size in one file.
find_program(ICOTOOL icotool REQUIRED)
list(TRANSFORM TELLWICK_ICON_SIZES REPLACE "(.+)" "${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/tellwick-\\1.png"
     OUTPUT_VARIABLE images)
list(POP_BACK images largest) # stored as PNG, as Windows keeps its 256-pixel images
set(icon ${CMAKE_CURRENT_BINARY_DIR}/tellwick.ico)
add_custom_command(OUTPUT ${icon} COMMAND ${ICOTOOL} --create --output=${icon} ${images} --raw=${largest}
                   DEPENDS ${images} ${largest} VERBATIM)

# The version record wants four numbers: 1.00 is 1,0,0,0.
math(EXPR minor "${PROJECT_VERSION_MINOR}")
set(numbers "${PROJECT_VERSION_MAJOR},${minor},0,0")
string(REPLACE "," "." dotted ${numbers})
set(manifest ${CMAKE_CURRENT_BINARY_DIR}/tellwick.manifest)
configure_file(packaging/windows/tellwick.manifest.in ${manifest} @ONLY)
configure_file(packaging/windows/tellwick.rc.in tellwick.rc @ONLY)
target_sources(tellwick PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/tellwick.rc ${icon})
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tellwick.rc PROPERTIES OBJECT_DEPENDS "${icon};${manifest}")

# What the program needs beside it, for there is no Qt or MinGW on Windows:
# the plugins Qt gives a program by default, of every kind its modules load,
# and the DLLs that the program and the plugins import from Qt's and MinGW's
# folders, found by runtime-dlls.cmake. Installed with it, and put beside it
# in the build tree, where the tests run under Wine as the installed program
# does.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-search-dirs OUTPUT_VARIABLE dirs COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE ".*\nlibraries: =([^\n]*).*" "\\1" mingw "${dirs}")
set(dlls -D OBJDUMP=${CMAKE_OBJDUMP} -D SEARCH=$<TARGET_FILE_DIR:Qt6::Core>:${mingw}
         -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/runtime-dlls.cmake)
set(here $<TARGET_FILE_DIR:tellwick>)
add_custom_target(beside ALL VERBATIM) # after the programs it looks into: the program's and the tests'
add_dependencies(beside tellwick)
if(BUILD_TESTING)
  get_directory_property(tests DIRECTORY tests BUILDSYSTEM_TARGETS)
  add_dependencies(beside ${tests})
endif()
# Stripping stamps a PE file with the time, unless SOURCE_DATE_EPOCH gives
# one: the commit's.
install(CODE "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
                set(ENV{SOURCE_DATE_EPOCH} ${TELLWICK_SOURCE_DATE})
              endif()")
install(TARGETS tellwick RUNTIME DESTINATION .)
foreach(module IN LISTS QT_ALL_MODULES_FOUND_VIA_FIND_PACKAGE)
  get_target_property(plugins Qt6::${module} QT_PLUGINS)
  list(FILTER plugins EXCLUDE REGEX NOTFOUND$)
  foreach(plugin IN LISTS plugins)
    get_target_property(default Qt6::${plugin} QT_DEFAULT_PLUGIN)
    get_target_property(type Qt6::${plugin} QT_PLUGIN_TYPE)
    if(default)
      install(IMPORTED_RUNTIME_ARTIFACTS Qt6::${plugin} LIBRARY DESTINATION ${type})
      add_custom_command(TARGET beside POST_BUILD COMMAND ${CMAKE_COMMAND} -E make_directory ${here}/${type}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::${plugin}> ${here}/${type}/ VERBATIM)
    endif()
  endforeach()
endforeach()
install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\" -D \"FOLDER=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" ${dlls}
                              COMMAND_ERROR_IS_FATAL ANY)")
add_custom_command(TARGET beside POST_BUILD COMMAND ${CMAKE_COMMAND} -D FOLDER=${here} ${dlls} VERBATIM)
# Stripped as the program is: MinGW's and Qt's DLLs come with their symbols.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
                file(GLOB_RECURSE installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
                execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${installed} COMMAND_ERROR_IS_FATAL ANY)
              endif()")
# Qt is under the LGPL 3, as DLLs a user may replace; its Debian copyright
# names the code Qt bundles. MinGW's runtime under the licences Debian gives.
install(FILES packaging/copyright DESTINATION licences RENAME Tellwick.txt)
set(qtdoc ${QT6_INSTALL_PREFIX}/share/doc/qt6-base)
install(FILES ${qtdoc}/LGPL-3.0-only.txt ${qtdoc}/GPL-3.0-only.txt DESTINATION licences/Qt)
install(FILES ${qtdoc}/copyright DESTINATION licences/Qt RENAME copyright.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright DESTINATION licences
        RENAME MinGW-w64-GCC-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION licences RENAME MinGW-w64-runtime.txt)
# Last, on the files as they ship: the program signed where a certificate is
# given (sign.cmake, which signs the installer and the MSI too), and the bill
# of materials of everything installed, Qt's DLLs as built from Debian's
# qt6-base source, MinGW's as dpkg knows them.
set(CPACK_TELLWICK_SIGN ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/sign.cmake)
set(installed "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}")
install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\" -D \"FILE=${installed}/tellwick.exe\"
                                      -P \"${CPACK_TELLWICK_SIGN}\"
                              COMMAND_ERROR_IS_FATAL ANY)
              execute_process(COMMAND \"${CMAKE_COMMAND}\" -D \"OUTPUT=${installed}/${CPACK_TELLWICK_SBOM_NAME}\"
                                      -D \"FOLDER=${installed}\" -D QT_PREFIX=${QT6_INSTALL_PREFIX}
                                      -D QT_VERSION=${Qt6_VERSION} -D \"RUNTIME=${mingw}\"
                                      -D \"ABOUT=${CMAKE_CURRENT_BINARY_DIR}/sbom-about.cmake\"
                                      -P \"${CMAKE_CURRENT_SOURCE_DIR}/packaging/sbom.cmake\"
                              COMMAND_ERROR_IS_FATAL ANY)")

set(CPACK_GENERATOR NSIS ZIP External) # External: the MSI, below
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${TELLWICK_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${TELLWICK_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${TELLWICK_NAME})
set(CPACK_NSIS_INSTALLED_ICON_NAME tellwick.exe)
set(CPACK_NSIS_MUI_ICON ${icon})
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows) # our NSIS.template.in

# The MSI, for administrators: made by wixl (msi.cmake) from tellwick.wxs,
# through CPack's External generator, which stages the files as for the
# others. Its UpgradeCode is Tellwick's for good: each version's
# ProductCode follows from it, so that a version is installed once and a
# later one replaces it.
set(upgrade_code B88583BA-0544-4B58-BDC7-63429A34BD92)
string(UUID product_code NAMESPACE ${upgrade_code} NAME ${PROJECT_VERSION} TYPE SHA1 UPPER)
set(CPACK_TELLWICK_UPGRADE_CODE ${upgrade_code}) # msi.cmake's namespace for the package code
# Both installers ask running.dll whether Tellwick runs: the MSI as a custom
# action, the NSIS installer as a plugin, which NSIS finds by its file name.
# The NSIS installer's uninstall starts from uninstall.exe. Both run on their
# own, with no DLL of ours beside them.
add_library(running MODULE packaging/windows/running.c)
set_target_properties(running PROPERTIES PREFIX "")
target_link_libraries(running PRIVATE msi)
add_executable(uninstall WIN32 packaging/windows/uninstall.c)
target_link_libraries(uninstall PRIVATE shell32 ole32 uuid)
target_link_options(uninstall PRIVATE -municode)
# Stripped as what is installed is, and stamped by the linker with the
# commit's time rather than the clock's, as strip stamps the program.
foreach(target running uninstall)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF
    RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TELLWICK_SOURCE_DATE}")
  target_link_options(${target} PRIVATE -static-libgcc -s)
endforeach()
set(CPACK_TELLWICK_BUILD ${CMAKE_CURRENT_BINARY_DIR})
set(CPACK_TELLWICK_RECORD ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/nsis-record.cmake)
file(READ packaging/windows/tellwick.wxs.in wxs)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS packaging/windows/tellwick.wxs.in)
string(CONFIGURE "${wxs}" wxs @ONLY)
file(GENERATE OUTPUT tellwick.wxs CONTENT "${wxs}")
set(CPACK_TELLWICK_WXS ${CMAKE_CURRENT_BINARY_DIR}/tellwick.wxs)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/msi.cmake)
