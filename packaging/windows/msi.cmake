# CPack's script for the MSI: wixl builds it from tellwick.wxs and from
# files.wxs, every other file CPack staged as a component of its own, written
# here. wixl takes no absolute paths: they are relative to the build folder,
# tellwick.wxs's own.
find_program(WIXL wixl REQUIRED)
set(stage ${CPACK_TEMPORARY_DIRECTORY})
set(work ${CPACK_TOPLEVEL_DIRECTORY})
cmake_path(GET CPACK_TELLWICK_WXS PARENT_PATH build)
file(RELATIVE_PATH relative_stage ${build} ${stage})

# Each identifier is a hash of the file's or folder's path in the package
# (wixl-heat hashes the path in the build folder), and each folder comes
# before what it holds.
function(folder_id folder out)
  if(folder STREQUAL "")
    set(${out} INSTALLDIR PARENT_SCOPE)
  else()
    string(MD5 hash "${folder}")
    set(${out} dir${hash} PARENT_SCOPE)
  endif()
endfunction()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
list(REMOVE_ITEM files ${CPACK_NSIS_INSTALLED_ICON_NAME}) # tellwick.wxs names the program itself
set(folders)
foreach(file IN LISTS files)
  cmake_path(GET file PARENT_PATH folder)
  while(NOT folder STREQUAL "")
    list(APPEND folders ${folder})
    cmake_path(GET folder PARENT_PATH folder)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)
set(xml)
foreach(folder IN LISTS folders)
  cmake_path(GET folder PARENT_PATH parent)
  cmake_path(GET folder FILENAME name)
  folder_id("${parent}" parent_id)
  folder_id("${folder}" id)
  string(APPEND xml "    <DirectoryRef Id=\"${parent_id}\"><Directory Id=\"${id}\" Name=\"${name}\"/></DirectoryRef>\n")
endforeach()
set(refs)
foreach(file IN LISTS files)
  cmake_path(GET file PARENT_PATH folder)
  folder_id("${folder}" parent_id)
  string(MD5 id "${file}")
  string(APPEND xml "    <DirectoryRef Id=\"${parent_id}\"><Component Id=\"cmp${id}\" Guid=\"*\" Win64=\"yes\">"
                    "<File Id=\"fil${id}\" KeyPath=\"yes\" Source=\"$(var.Stage)/${file}\"/></Component></DirectoryRef>\n")
  string(APPEND refs "      <ComponentRef Id=\"cmp${id}\"/>\n")
endforeach()
file(WRITE ${work}/files.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Fragment>
${xml}    <ComponentGroup Id=\"files\">
${refs}    </ComponentGroup>
  </Fragment>
</Wix>
")

# wixl writes the clock's time into the package, its files' times into its
# cabinet, and a package code of its own drawing. The same commit is to
# give the same MSI: the files take the commit's time, wixl's and msibuild's
# clock stands at it, and msibuild replaces the package code with one that
# follows from the version and the files, so that another version's or
# another build's differs.
find_program(FAKETIME faketime REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
file(GLOB_RECURSE staged ${stage}/*)
execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${staged} COMMAND_ERROR_IS_FATAL ANY)
set(contents)
foreach(file IN LISTS staged)
  file(SHA256 ${file} hash)
  file(RELATIVE_PATH name ${stage} ${file})
  string(APPEND contents "${hash} ${name}\n")
endforeach()
string(UUID package_code NAMESPACE ${CPACK_TELLWICK_UPGRADE_CODE} NAME "${CPACK_PACKAGE_VERSION}\n${contents}"
       TYPE SHA1 UPPER)
string(TIMESTAMP now "%Y-%m-%d %H:%M:%S" UTC) # SOURCE_DATE_EPOCH's
set(msi ${work}/${CPACK_PACKAGE_FILE_NAME}.msi)
set(at_commit ${CMAKE_COMMAND} -E env TZ=UTC FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 ${FAKETIME} -f ${now})
execute_process(COMMAND ${at_commit} ${WIXL} --arch x64 -D Stage=${relative_stage} --output ${msi}
                        ${CPACK_TELLWICK_WXS} ${work}/files.wxs WORKING_DIRECTORY ${build} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${at_commit} ${MSIBUILD} ${msi} -s "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}"
                        "${CPACK_PACKAGE_VENDOR}" "x64;1033" "{${package_code}}" COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
