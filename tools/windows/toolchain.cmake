# Cross-building for Windows x86-64 with Debian's MinGW-w64 compilers: the
# posix thread model, which Qt's threads need. Used to build Qt for Windows
# (tools/windows/qt.sh) and the program (the windows preset), which finds
# that Qt through TELLWICK_WINDOWS_QT.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${TELLWICK_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Compiler checks are projects of their own: hand them the Qt folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TELLWICK_WINDOWS_QT)
# The tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine.sh)
