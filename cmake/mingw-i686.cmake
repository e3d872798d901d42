# Release build: the 32-bit program that ships. Its tests build but cannot run here.
set(QUORVANE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 4 GB of address space on 64-bit Windows instead of 2: the largest subtitle files load.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--large-address-aware")
