# The 32-bit Windows program (build/orvanta.exe).
set(ORVANTA_MINGW i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
