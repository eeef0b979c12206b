# Cross-compile for Windows x64 with clang and lld against mingw-w64's headers, libraries and
# posix-thread C++ runtime (the ones the gcc build uses): a second compiler over the same code.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(zel_target x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${zel_target})
set(CMAKE_CXX_COMPILER_TARGET ${zel_target})
set(CMAKE_RC_COMPILER ${zel_target}-windres)

# clang does not find the C++ headers and libraries of Debian's mingw-w64 gcc by itself.
file(GLOB zel_gcc_dirs /usr/lib/gcc/${zel_target}/*-posix)
list(GET zel_gcc_dirs 0 zel_gcc)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${zel_gcc}/include/c++ -isystem ${zel_gcc}/include/c++/${zel_target} -isystem ${zel_gcc}/include/c++/backward -femulated-tls -Wpedantic")
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
# The static C++ runtime uses the posix threads: -pthread puts them after it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${zel_gcc} -pthread")

set(CMAKE_FIND_ROOT_PATH /usr/${zel_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test.sh)
