# The -posix thread model: GoogleTest needs std::mutex, which the win32 model lacks.
set(CMAKE_C_COMPILER ${TBQ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TBQ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TBQ_MINGW_PREFIX}-windres)
set(CMAKE_RC_FLAGS "--codepage=65001")
set(CMAKE_FIND_ROOT_PATH /usr/${TBQ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests of the 64-bit build run under Wine through this launcher; it refuses to
# run without a prepared WINEPREFIX so that nothing ever lands in ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness/wine-run)
