# Builds the game for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads flavour, whose C++ runtime has std::thread), against an SDL 1.2
# built for Windows under ORBOSTRAK_WINDOWS_SDL (scripts/build-windows.sh
# builds it). Programs run through ORBOSTRAK_WINDOWS_RUNNER (tests/windows/
# wine-run.sh), so ctest runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORBOSTRAK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORBOSTRAK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBOSTRAK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBOSTRAK_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORBOSTRAK_MINGW} ${ORBOSTRAK_WINDOWS_SDL} ${ORBOSTRAK_WINDOWS_GTEST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The settings are read again for every check CMake compiles.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORBOSTRAK_WINDOWS_SDL ORBOSTRAK_WINDOWS_GTEST
     ORBOSTRAK_WINDOWS_RUNNER)

# The same bytes from the same source wherever it is built: no build folder
# in the debugging names, no link time in the program's header. The C and
# C++ runtimes are linked in, so the program needs no DLL but SDL's.
set(CMAKE_CXX_FLAGS_INIT "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

if(ORBOSTRAK_WINDOWS_RUNNER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORBOSTRAK_WINDOWS_RUNNER})
endif()
# The tests are listed when ctest runs, under Wine, not while they build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
# FindSDL would make every program linked with SDL a windowed one; only the
# game is (dist/windows), the tests and tools write to a console.
set(MINGW32_LIBRARY mingw32 CACHE STRING "link flags for MinGW")
