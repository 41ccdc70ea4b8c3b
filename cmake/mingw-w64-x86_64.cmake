# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 toolchain.
# The posix thread model is needed: the win32 one lacks std::thread, which OpenAL Soft uses.
# Pass the prefix of the cross-built libraries with -DCMAKE_FIND_ROOT_PATH=<prefix>.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(toolchainTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${toolchainTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${toolchainTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${toolchainTriple}-windres)

# Libraries, headers and packages come only from the target's roots, never from the Linux host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${toolchainTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
