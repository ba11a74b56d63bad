# The two ZIPs a Windows user downloads, each with its SHA-256 beside it:
#   cmake --build --preset win32 --target package
#   -> build/win32/package/Dorvik22ToZq13_U-22.03.00-win32.zip       the program alone, to deploy
#      build/win32/package/Dorvik22ToZq13_U-22.03.00-win32-demo.zip  the same with the sample data, to try it
# The deploy ZIP holds nothing an installation has of its own (the tax-form
# application's KolvarenDef.ini, the host's SUPPORT.INF), so unpacking it
# over an installation cannot replace them. docs/packaging.md says how both
# are made, signed and checked.

# The time every shipped byte carries (the exe's header, the ZIP entries):
# SOURCE_DATE_EPOCH if set, else the commit's time, so that one commit builds
# the same bytes in any folder on any machine. Read when CMake configures; a
# new commit makes the build configure again.
set(LINK_SOURCE_DATE_EPOCH 1640995200)  # 2022-01-01 00:00 UTC, for a tree without git
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(LINK_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE _commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE _git_result ERROR_QUIET)
    if(_git_result EQUAL 0 AND _commit_time MATCHES "^[0-9]+$")
        set(LINK_SOURCE_DATE_EPOCH ${_commit_time})
        # HEAD's reflog grows with every commit, checkout and reset.
        execute_process(COMMAND git rev-parse --git-path HEAD --git-path logs/HEAD
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE _git_files OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        string(REPLACE "\n" ";" _git_files "${_git_files}")
        foreach(_file IN LISTS _git_files)
            get_filename_component(_file ${_file} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
            if(EXISTS ${_file})
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_file})
            endif()
        endforeach()
    endif()
endif()
if(NOT LINK_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$" OR LINK_SOURCE_DATE_EPOCH LESS 315532800)
    # A ZIP's DOS time starts in 1980.
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a time from 1980 on: ${LINK_SOURCE_DATE_EPOCH}")
endif()
# GNU ld writes SOURCE_DATE_EPOCH from its environment as the TimeDateStamp.
set_property(TARGET Dorvik22ToZq13_U PROPERTY CXX_LINKER_LAUNCHER
             ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${LINK_SOURCE_DATE_EPOCH})

# Optional Authenticode signature of the exe (docs/packaging.md): a PKCS#12
# file and a file holding its password, from these or from the environment
# variables of the same names when the package is made.
set(LINK_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file to sign the exe with")
set(LINK_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 file's password")
set(LINK_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signature")

set(LINK_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(LINK_PACKAGE_ZIP ${LINK_PACKAGE_DIR}/${PROJECT_NAME}-${LINK_VERSION_TEXT}-win32.zip)
set(LINK_PACKAGE_DEMO_ZIP ${LINK_PACKAGE_DIR}/${PROJECT_NAME}-${LINK_VERSION_TEXT}-win32-demo.zip)
# The package script's settings; the signing test (tests/wine) runs it with a
# folder and a certificate of its own. A script rather than CPack, whose
# archives carry the build machine's owner, access times and time zone.
set(LINK_PACKAGE_SCRIPT_ARGS
    -D LINK_EXE=$<TARGET_FILE:Dorvik22ToZq13_U>
    -D LINK_STRIP=${CMAKE_STRIP}
    -D LINK_SOURCE_DIR=${CMAKE_SOURCE_DIR}
    -D LINK_PACKAGE_NAME=${PROJECT_NAME}-${LINK_VERSION_TEXT}-win32
    -D LINK_SOURCE_DATE_EPOCH=${LINK_SOURCE_DATE_EPOCH}
    -D LINK_SIGN_PKCS12=${LINK_SIGN_PKCS12}
    -D LINK_SIGN_PASSWORD_FILE=${LINK_SIGN_PASSWORD_FILE}
    -D LINK_SIGN_TIMESTAMP_URL=${LINK_SIGN_TIMESTAMP_URL})
# A build folder configured when CPack made the package still has its
# configuration, which reserves the target name "package".
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
    COMMAND ${CMAKE_COMMAND} ${LINK_PACKAGE_SCRIPT_ARGS} -D LINK_PACKAGE_DIR=${LINK_PACKAGE_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/make_package.cmake
    DEPENDS Dorvik22ToZq13_U
    COMMENT "Packaging ${PROJECT_NAME} ${LINK_VERSION_TEXT}"
    VERBATIM)
