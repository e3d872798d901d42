# Release build: the 32-bit program that ships. Its tests build but cannot run here.
set(QUORVANE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
