# Cross-compiling for Windows with Debian's MinGW-w64 toolchain; the toolchain
# file that includes this sets CMAKE_SYSTEM_PROCESSOR and MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model gives the C++ standard library its threads and
# mutexes, which GoogleTest needs; linked statically like everything else.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
