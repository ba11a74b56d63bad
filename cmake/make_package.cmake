# Makes the two ZIPs (cmake/packaging.cmake passes the -D values): strips the
# program, signs it when a certificate is configured, writes both ZIPs with
# cmake/write_zip.py and a .sha256 beside each.
cmake_minimum_required(VERSION 3.25)

# strip writes it as the TimeDateStamp, as ld did.
set(ENV{SOURCE_DATE_EPOCH} ${LINK_SOURCE_DATE_EPOCH})

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(JOIN ARGV " " command)
        message(FATAL_ERROR "failed (${result}): ${command}")
    endif()
endfunction()

set(stage ${LINK_PACKAGE_DIR}/stage)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})
set(exe ${stage}/Dorvik22ToZq13_U.exe)
run(${LINK_STRIP} -o ${exe} ${LINK_EXE})

# Signed after the strip (which would drop the signature) and before the
# ZIPs and their checksums.
foreach(setting LINK_SIGN_PKCS12 LINK_SIGN_PASSWORD_FILE LINK_SIGN_TIMESTAMP_URL)
    if("${${setting}}" STREQUAL "" AND DEFINED ENV{${setting}})
        set(${setting} "$ENV{${setting}}")
    endif()
endforeach()
if(NOT LINK_SIGN_PKCS12 STREQUAL "")
    if(LINK_SIGN_PASSWORD_FILE STREQUAL "")
        message(FATAL_ERROR "LINK_SIGN_PKCS12 is set, LINK_SIGN_PASSWORD_FILE is not")
    endif()
    set(timestamp)
    if(NOT LINK_SIGN_TIMESTAMP_URL STREQUAL "")
        set(timestamp -ts ${LINK_SIGN_TIMESTAMP_URL})
    endif()
    run(osslsigncode sign -pkcs12 ${LINK_SIGN_PKCS12} -readpass ${LINK_SIGN_PASSWORD_FILE} -h sha256
        -n Dorvik22ToZq13_U ${timestamp} -in ${exe} -out ${exe}.signed)
    file(RENAME ${exe}.signed ${exe})
    message(STATUS "Signed ${exe}")
endif()

# name=source pairs, in the order they are stored.
set(deploy
    "Dorvik22ToZq13_U.exe=${exe}"
    "report.xsd=${LINK_SOURCE_DIR}/docs/report.xsd"
    # Shift_JIS with CR LF, kept byte for byte by .gitattributes.
    "使い方.txt=${LINK_SOURCE_DIR}/pack/使い方.txt")
# The sample company stands in for the host installation.
set(demo ${deploy}
    "KolvarenDef.ini=${LINK_SOURCE_DIR}/sample/demo/KolvarenDef.ini"
    "SUPPORT.INF=${LINK_SOURCE_DIR}/sample/demo/SUPPORT.INF")
file(GLOB hostdata RELATIVE ${LINK_SOURCE_DIR}/sample/hostdata ${LINK_SOURCE_DIR}/sample/hostdata/*)
list(FILTER hostdata EXCLUDE REGEX "^\\.")
list(SORT hostdata)
foreach(name IN LISTS hostdata)
    list(APPEND demo "hostdata/${name}=${LINK_SOURCE_DIR}/sample/hostdata/${name}")
endforeach()

foreach(kind deploy demo)
    set(name ${LINK_PACKAGE_NAME})
    if(kind STREQUAL "demo")
        set(name ${name}-demo)
    endif()
    set(zip ${LINK_PACKAGE_DIR}/${name}.zip)
    run(python3 ${CMAKE_CURRENT_LIST_DIR}/write_zip.py ${zip} ${name} ${LINK_SOURCE_DATE_EPOCH} ${${kind}})
    file(SHA256 ${zip} sum)
    # As sha256sum writes it, so that sha256sum -c reads it.
    file(WRITE ${zip}.sha256 "${sum}  ${name}.zip\n")
    file(SIZE ${zip} size)
    message(STATUS "${zip}: ${size} bytes, SHA-256 ${sum}")
endforeach()
