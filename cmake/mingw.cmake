# Cross-compiling the Windows program with MinGW-w64, for the processor that
# the toolchain file including this one names in ORVANTA_MINGW (i686 or
# x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVANTA_MINGW})
set(CMAKE_C_COMPILER ${ORVANTA_MINGW}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${ORVANTA_MINGW}-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${ORVANTA_MINGW}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANTA_MINGW}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The tests of this build are Windows programs: ctest runs them under Wine
# (tools/wine-tests.sh gives Wine a display and a prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
