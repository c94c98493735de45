# The Windows program and its packages: the icon, version record and manifest
# inside tellwick.exe; the folder it runs from (the program, Qt's DLLs and
# plugins, MinGW's runtime, the licences); an installer for the current user
# and a portable zip: cmake --build --preset windows --target package

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
# installed with it, and copied beside it in the build tree, where the tests
# run under Wine as the installed program does (the tests also need QtTest).
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime} OUTPUT_VARIABLE dll
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND dlls ${dll})
endforeach()
list(APPEND dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
set(platform $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
set(style $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
install(TARGETS tellwick RUNTIME DESTINATION .)
install(FILES ${dlls} DESTINATION .)
install(FILES ${platform} DESTINATION platforms)
install(FILES ${style} DESTINATION styles)
# Stripped as the program is: MinGW's and Qt's DLLs come with their symbols.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
                file(GLOB_RECURSE installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
                execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${installed} COMMAND_ERROR_IS_FATAL ANY)
              endif()")
set(here $<TARGET_FILE_DIR:tellwick>)
add_custom_target(beside ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${here}/platforms ${here}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} $<TARGET_FILE:Qt6::Test> ${here}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platform} ${here}/platforms/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${style} ${here}/styles/
  VERBATIM)
# Qt is under the LGPL 3, as DLLs a user may replace; its Debian copyright
# names the code Qt bundles. MinGW's runtime under the licences Debian gives.
install(FILES packaging/copyright DESTINATION licences RENAME Tellwick.txt)
set(qtdoc ${QT6_INSTALL_PREFIX}/share/doc/qt6-base)
install(FILES ${qtdoc}/LGPL-3.0-only.txt ${qtdoc}/GPL-3.0-only.txt DESTINATION licences/Qt)
install(FILES ${qtdoc}/copyright DESTINATION licences/Qt RENAME copyright.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright DESTINATION licences
        RENAME MinGW-w64-GCC-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION licences RENAME MinGW-w64-runtime.txt)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${TELLWICK_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${TELLWICK_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${TELLWICK_NAME})
set(CPACK_NSIS_INSTALLED_ICON_NAME tellwick.exe)
set(CPACK_NSIS_MUI_ICON ${icon})
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows) # our NSIS.template.in
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/cpack-options.cmake)
