# Run by makensis as it builds the installer: writes OUTPUT, NSIS lines
# that name each file of FOLDER, the staged program, in the installed
# program's Apps & features entry. Only what the installer puts in place is
# named, whatever else the folder the user chose holds.
#   cmake -D FOLDER=dir -D OUTPUT=file -P nsis-record.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${FOLDER}" "${FOLDER}/*")
list(SORT files)
set(lines)
foreach(file IN LISTS files)
  string(REPLACE "/" "\\" file "${file}")
  string(APPEND lines "WriteRegStr HKCU \"\${UNINSTALL_KEY}\\Files\" \"${file}\" \"\"\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
