# Puts into FOLDER every DLL that the programs and plugins there import from
# Qt's and MinGW's folders, and what those import in turn, read from the
# files' own import tables. What none of those folders holds is Windows' own.
#   cmake -D FOLDER=dir -D SEARCH=dir:dir -D OBJDUMP=tool -P runtime-dlls.cmake
cmake_path(ABSOLUTE_PATH FOLDER NORMALIZE)
string(REPLACE ":" ";" SEARCH "${SEARCH}")
file(GLOB programs ${FOLDER}/*.exe)
file(GLOB plugins ${FOLDER}/*/*.dll)
# Windows finds an imported name in any case; CMake looks for it in lower
# case, then opens it as it was written, and Linux tells case apart: it
# looks among links to the DLLs under both names. Copies from an earlier run
# go, or they would be found twice, there and at their source.
set(links ${FOLDER}/.lower-case)
file(REMOVE_RECURSE ${links})
file(MAKE_DIRECTORY ${links})
foreach(source IN LISTS SEARCH)
  file(GLOB dlls RELATIVE ${source} ${source}/*.dll)
  foreach(dll IN LISTS dlls)
    string(TOLOWER ${dll} name)
    foreach(link IN LISTS name dll)
      if(NOT EXISTS ${links}/${link})
        file(CREATE_LINK ${source}/${dll} ${links}/${link} SYMBOLIC)
      endif()
    endforeach()
    file(REMOVE ${FOLDER}/${dll})
  endforeach()
endforeach()
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${programs} MODULES ${plugins} DIRECTORIES ${links}
     RESOLVED_DEPENDENCIES_VAR found UNRESOLVED_DEPENDENCIES_VAR windows_own)
foreach(link IN LISTS found)
  file(REAL_PATH ${link} dll)
  file(COPY ${dll} DESTINATION ${FOLDER})
endforeach()
file(REMOVE_RECURSE ${links})
