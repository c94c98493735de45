# Run by cpack once it has staged a package's files, before it packs them:
# every staged folder gets the usual permissions. CMake asks for them, but
# mkdir takes the umask of whoever builds off them, and under umask 077 the
# package would install folders no other user could enter.
file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_DIRECTORY}/*)
set(folders)
foreach(path IN LISTS staged)
  if(IS_DIRECTORY ${path})
    list(APPEND folders ${path})
  endif()
endforeach()
file(CHMOD ${CPACK_TEMPORARY_DIRECTORY} ${folders}
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
