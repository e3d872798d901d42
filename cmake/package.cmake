# The release package: a ZIP of Quorvane.exe, the short README and the sample subtitle.
# `cpack --config build/win32/CPackConfig.cmake` after building the win32 preset.
install(TARGETS Quorvane RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/package/README.txt ${PROJECT_SOURCE_DIR}/samples/sample.srt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Marrowby)
set(CPACK_SYSTEM_NAME win32)
set(CPACK_PACKAGE_FILE_NAME Quorvane-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
