# The 64-bit Windows targets, for running the Windows tests where 32-bit code
# cannot run.
set(MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
