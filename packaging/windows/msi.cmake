# CPack's script for the MSI: wixl builds it from tellwick.wxs and from a
# list of every other file CPack staged, made by wixl-heat. wixl takes no
# absolute paths: they are relative to the build folder, tellwick.wxs's own.
find_program(WIXL wixl REQUIRED)
find_program(WIXL_HEAT wixl-heat REQUIRED)
set(stage ${CPACK_TEMPORARY_DIRECTORY})
set(work ${CPACK_TOPLEVEL_DIRECTORY})
cmake_path(GET CPACK_TELLWICK_WXS PARENT_PATH build)
file(RELATIVE_PATH relative_stage ${build} ${stage})
file(GLOB_RECURSE files ${stage}/*)
list(REMOVE_ITEM files ${stage}/${CPACK_NSIS_INSTALLED_ICON_NAME}) # tellwick.wxs names the program itself
list(JOIN files "\n" files)
file(WRITE ${work}/files.txt "${files}\n")
execute_process(COMMAND ${WIXL_HEAT} --prefix ${stage}/ --var var.Stage --directory-ref INSTALLDIR
                        --component-group files --win64
                INPUT_FILE ${work}/files.txt OUTPUT_FILE ${work}/files.wxs COMMAND_ERROR_IS_FATAL ANY)
set(msi ${work}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(COMMAND ${WIXL} --arch x64 -D Win64=yes -D Stage=${relative_stage} --output ${msi}
                        ${CPACK_TELLWICK_WXS} ${work}/files.wxs WORKING_DIRECTORY ${build} COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
