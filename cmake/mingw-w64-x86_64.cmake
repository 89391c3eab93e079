# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64, the compilers
# with POSIX threads (std::thread and std::mutex need them). Used to build
# the static Qt and, chained from Qt's own toolchain file, the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(prism_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${prism_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${prism_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${prism_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${prism_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its C and C++ runtimes and winpthread inside, so
# that it runs on a Windows without any DLL of ours beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
