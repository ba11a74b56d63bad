# The package a Windows user downloads: one ZIP with one folder that runs as
# it is when unpacked (the program finds KolvarenDef.ini, SUPPORT.INF and the
# host data folder beside itself), and its SHA-256 beside it.
#   cmake --build --preset win32 --target package
#   -> build/win32/package/Dorvik22ToZq13_U-22.03.00-win32.zip (+ .sha256)
# docs/packaging.md says how the package is checked.

install(TARGETS Dorvik22ToZq13_U RUNTIME DESTINATION .)
install(FILES
    ${CMAKE_SOURCE_DIR}/sample/demo/KolvarenDef.ini
    ${CMAKE_SOURCE_DIR}/sample/demo/SUPPORT.INF
    ${CMAKE_SOURCE_DIR}/docs/report.xsd
    # Shift_JIS with CR LF, kept byte for byte by .gitattributes.
    ${CMAKE_SOURCE_DIR}/pack/使い方.txt
    DESTINATION .)
# The sample company stands in for the host installation.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/sample/hostdata/ DESTINATION hostdata PATTERN .gitattributes EXCLUDE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
# The version as the program shows it (top CMakeLists.txt), so that the name
# of the package and the version resource inside it cannot disagree.
set(CPACK_PACKAGE_VERSION ${LINK_VERSION_TEXT})
set(CPACK_SYSTEM_NAME win32)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${LINK_VERSION_TEXT}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
# For the package's test (tests/wine): include(CPack) leaves the source
# package's name in CPACK_PACKAGE_FILE_NAME.
set(LINK_PACKAGE_ZIP ${CPACK_PACKAGE_DIRECTORY}/${PROJECT_NAME}-${LINK_VERSION_TEXT}-win32.zip)
