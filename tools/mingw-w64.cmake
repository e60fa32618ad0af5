# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, posix threads
# flavour (std::thread and friends work with it; the win32 flavour lacks
# them). Used by tools/test-windows.sh, which runs the results under Wine:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=tools/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KIRIMO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIRIMO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIRIMO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KIRIMO_MINGW_TRIPLET}-windres)

# Libraries and packages come from the MinGW sysroot only, never from the
# host's /usr (whose GoogleTest is built for Linux); tools run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KIRIMO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread linked in, so that the programs run
# anywhere, Wine included, without the toolchain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Lets CTest and gtest_discover_tests run the programs on this machine.
find_program(KIRIMO_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KIRIMO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KIRIMO_WINE})
endif()
