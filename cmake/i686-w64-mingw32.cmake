# Cross compiling for 32-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-i686). The -posix compilers carry std::thread and std::mutex,
# which GoogleTest needs; the saver itself uses neither.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QUILLMOOR_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLMOOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLMOOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLMOOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMOOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
