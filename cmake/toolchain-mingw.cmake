# Cross-compiling for Windows with MinGW-w64, POSIX thread model (std::thread
# and std::mutex need it; the unsuffixed compilers are win32-threaded). The
# target's processor is set by the file that includes this one
# (toolchain-i686-mingw.cmake, toolchain-x86_64-mingw.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(LS_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${LS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread inside every module; msvcrt stays shared so
# all modules allocate from one heap.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
