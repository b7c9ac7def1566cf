# Windows builds: GoogleTest compiled from Debian's source with the same toolchain; tests run
# through wine64 where it is installed.
set(QUORVEL_GTEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUORVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own code is not held to this project's warnings.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

# 64-bit programs run under wine64. 32-bit ones need a machine that runs 32-bit code: the
# build script passes -DQUORVEL_WINE32=<wine> only where it does.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(QUORVEL_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(QUORVEL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_WINE})
  endif()
elseif(QUORVEL_WINE32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_WINE32})
endif()

# Release programs are stripped of their symbols.
string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -s")
