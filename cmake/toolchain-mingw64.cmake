set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLON_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Tests of this build run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
