# Cross compiling for Windows with Debian's mingw-w64, shared by the target
# files beside it, which set QUILLMOOR_MINGW_PREFIX and CMAKE_SYSTEM_PROCESSOR
# first. The -posix compilers carry std::thread and std::mutex, which
# GoogleTest needs; the saver itself uses neither.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUILLMOOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLMOOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLMOOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMOOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
