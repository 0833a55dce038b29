# The x86-64 Windows program (build/x64/orvanta.exe).
set(ORVANTA_MINGW x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
