# Debian package: `cpack -G DEB` in the build folder makes
# vantu_<version>-1_<arch>.deb, which installs Vantu under /usr. Included from
# the root CMakeLists.txt before include(CPack).
#
# The portable package (TGZ) and the Debian package hold the same program in
# different places, so the Debian files have install rules of their own, in
# the component "deb". EXCLUDE_FROM_ALL keeps them out of a plain
# `cmake --install` and of the TGZ, which installs everything else as before;
# packaging/CPackGenerators.cmake makes the DEB generator install the "deb"
# component alone, under /usr.
#
# Build everything first (`cmake --build build`): the manual pages and the
# compressed changelog are made by the build, not by cpack.

set(VANTU_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VANTU_DEB_OUT ${CMAKE_BINARY_DIR}/deb)
file(MAKE_DIRECTORY ${VANTU_DEB_OUT})

# Generated files keep a fixed date, the one of packaging/deb/changelog
# (scdoc writes it into the manual pages; gzip -n leaves it out).
set(VANTU_DEB_DATE_EPOCH 1796731200)

find_program(VANTU_GZIP gzip REQUIRED)
find_program(VANTU_SCDOC scdoc)

# The changelog is history and keeps its text; its newest entry must be the
# version the build makes.
file(STRINGS ${VANTU_PACKAGING_DIR}/deb/changelog vantu_changelog_top LIMIT_COUNT 1)
if(NOT vantu_changelog_top MATCHES "^vantu \\(${VANTU_VERSION}-[0-9]+\\)")
    message(FATAL_ERROR "packaging/deb/changelog does not begin with version ${VANTU_VERSION}")
endif()
set(vantu_deb_outputs ${VANTU_DEB_OUT}/changelog.Debian.gz)
add_custom_command(OUTPUT ${VANTU_DEB_OUT}/changelog.Debian.gz
    COMMAND sh -c "\"$0\" -9n < \"$1\" > \"$2\""
            ${VANTU_GZIP} ${VANTU_PACKAGING_DIR}/deb/changelog ${VANTU_DEB_OUT}/changelog.Debian.gz
    DEPENDS ${VANTU_PACKAGING_DIR}/deb/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM)

# Manual pages, from scdoc sources: vantu.1, and vantu-cli.1 when its source is there.
set(vantu_man_pages)
if(VANTU_SCDOC)
    foreach(page vantu vantu-cli)
        set(src ${VANTU_PACKAGING_DIR}/${page}.1.scd)
        if(EXISTS ${src})
            set(out ${VANTU_DEB_OUT}/${page}.1.gz)
            add_custom_command(OUTPUT ${out}
                COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VANTU_DEB_DATE_EPOCH}
                        sh -c "\"$0\" < \"$1\" | \"$2\" -9n > \"$3\""
                        ${VANTU_SCDOC} ${src} ${VANTU_GZIP} ${out}
                DEPENDS ${src}
                COMMENT "Making the manual page ${page}.1"
                VERBATIM)
            list(APPEND vantu_deb_outputs ${out})
            list(APPEND vantu_man_pages ${out})
        endif()
    endforeach()
else()
    message(STATUS "scdoc not found: the Debian package will have no manual pages")
endif()
add_custom_target(deb_files ALL DEPENDS ${vantu_deb_outputs})

# What the Debian package installs, relative to /usr.
#
# A program of the package: cpack's strip (CPACK_STRIP_FILES) leaves the
# .comment and .note sections, which Debian's packages drop as dh_strip does.
function(vantu_deb_install_program target)
    install(TARGETS ${target} RUNTIME DESTINATION bin COMPONENT deb EXCLUDE_FROM_ALL)
    if(CMAKE_STRIP)
        install(CODE "if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:${target}>\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()" COMPONENT deb EXCLUDE_FROM_ALL)
    endif()
endfunction()
vantu_deb_install_program(vantu)
# vantu-cli comes from another part of the build, which may be read after this
# file; its rules are added once the whole root folder has been read.
function(vantu_deb_install_cli)
    if(TARGET vantu-cli)
        vantu_deb_install_program(vantu-cli)
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL vantu_deb_install_cli)
# The city search module, where the programs look for it from /usr/bin
# (../lib/<architecture>/vantu, a private folder outside the linker's
# path); dpkg-shlibdeps finds libgeonames0 through it.
if(TARGET vantu_geonames)
    install(TARGETS vantu_geonames LIBRARY DESTINATION ${VANTU_MODULE_FOLDER}
            COMPONENT deb EXCLUDE_FROM_ALL)
endif()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/grafika ${CMAKE_SOURCE_DIR}/help
    DESTINATION share/vantu COMPONENT deb EXCLUDE_FROM_ALL
    PATTERN moon_pictures.csv EXCLUDE)
install(FILES ${VANTU_PACKAGING_DIR}/deb/vantu.desktop
    DESTINATION share/applications COMPONENT deb EXCLUDE_FROM_ALL)
# The release in the AppStream data is the build's version.
configure_file(${VANTU_PACKAGING_DIR}/deb/invalid.vantu.vantu.metainfo.xml.in
               ${VANTU_DEB_OUT}/invalid.vantu.vantu.metainfo.xml @ONLY)
install(FILES ${VANTU_DEB_OUT}/invalid.vantu.vantu.metainfo.xml
    DESTINATION share/metainfo COMPONENT deb EXCLUDE_FROM_ALL)
foreach(size 16 32 48 64 128)
    install(FILES ${VANTU_PACKAGING_DIR}/icons/vantu-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vantu.png
        COMPONENT deb EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/app/icons/vantu.png
    DESTINATION share/icons/hicolor/256x256/apps COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${VANTU_PACKAGING_DIR}/icons/vantu.svg
    DESTINATION share/icons/hicolor/scalable/apps COMPONENT deb EXCLUDE_FROM_ALL)
if(vantu_man_pages)
    # OPTIONAL: vantu-cli.1.gz is there only when the build made it.
    install(FILES ${vantu_man_pages} DESTINATION share/man/man1
        COMPONENT deb EXCLUDE_FROM_ALL OPTIONAL)
endif()
install(FILES ${VANTU_PACKAGING_DIR}/deb/copyright ${VANTU_DEB_OUT}/changelog.Debian.gz
    DESTINATION share/doc/vantu COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${VANTU_PACKAGING_DIR}/deb/lintian-overrides
    DESTINATION share/lintian/overrides RENAME vantu COMPONENT deb EXCLUDE_FROM_ALL)

# The control data. Only the DEB generator reads the CPACK_DEBIAN_ settings.
set(CPACK_DEBIAN_PACKAGE_NAME vantu)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)          # vantu_<version>-1_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The project has no domain and no web site; .invalid is the top-level domain
# reserved for names that can never exist (RFC 2606), so no one else's
# address is used.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantu developers <vantu@vantu.invalid>")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[calculator of sunrise, solar noon, sunset and twilights
Vantu calculates the Sun's daily events for a place, given by its latitude,
longitude and clock offset to UTC, and a day: sunrise, solar noon and sunset
in UTC, CET, CEST or the place's own clock time, and polar day and night.
It also keeps a small database of places, shows the date of Easter Sunday,
the Moon's phase, a world map and a map of Slovakia, and fills a results
table of a day or a month that can be saved and printed. The Year of the
Sun charts a whole year of night, civil, nautical and astronomical twilight
and day, and exports it as a picture, CSV or iCalendar. The command-line
tool vantu-cli gives the same results, twilights included, as text, CSV,
JSON or iCalendar. The interface is in Slovak, English or Hungarian.]=])
# Qt's own dialogs (saving, printing) speak Slovak and Hungarian with Qt's
# translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# Depends is worked out by dpkg-shlibdeps from the libraries the programs use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Switches install prefix and contents by generator, see that file.
set(CPACK_PROJECT_CONFIG_FILE ${VANTU_PACKAGING_DIR}/CPackGenerators.cmake)
set(CPACK_VANTU_DEB_PROJECT "${CMAKE_BINARY_DIR};${PROJECT_NAME};deb;/")
