# Debian package of the installed application: cd build && cpack -G DEB
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "prismora")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Prismora developers")
set(CPACK_PACKAGE_CONTACT "Prismora developers <dev@prismora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Colour-model converter")

# Fills <out> with <text> broken into lines of at most <width> characters at its spaces.
function(prismora_wrap out width text)
    string(REPLACE " " ";" words "${text}")
    set(wrapped "")
    set(line "")
    foreach(word IN LISTS words)
        string(LENGTH "${line} ${word}" length)
        if(line STREQUAL "")
            set(line "${word}")
        elseif(length GREATER width)
            string(APPEND wrapped "${line}\n")
            set(line "${word}")
        else()
            string(APPEND line " ${word}")
        endif()
    endforeach()
    set(${out} "${wrapped}${line}" PARENT_SCOPE)
endfunction()

# Debian wants the lines of the extended description within 80 columns; the models come from
# cmake/models.cmake, so the text is wrapped here rather than by hand.
prismora_wrap(CPACK_PACKAGE_DESCRIPTION 76 "Prismora holds one colour in ${PRISMORA_MODELS_TEXT} \
at once and keeps every model consistent. Three panels each show the colour in the model you \
pick, with a text field and a slider per channel, and a swatch shows the colour itself.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Users get the binary without the debug information of a RelWithDebInfo build.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Prismora developers <dev@prismora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps reads the Qt and C++ runtime libraries off the binary, so Depends stays
# right on whatever release the package is built on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)

if(BUILD_TESTING AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # A missing lintian is passed by bare name; the check then reports the test as skipped.
    find_program(LINTIAN lintian)
    if(NOT LINTIAN)
        message(STATUS "lintian not found: the package_lint test will be skipped")
        set(LINTIAN lintian)
    endif()
    add_test(NAME package_lint
        COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check-package.sh
            ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} "$<CONFIG>" ${LINTIAN})
    set_tests_properties(package_lint PROPERTIES LABELS packaging SKIP_RETURN_CODE 77)
endif()
