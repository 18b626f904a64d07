set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLON_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# No emulator: this machine cannot run 32-bit processes, so the build is only linked.
