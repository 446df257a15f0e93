# Read by cpack once for each generator it runs (CPACK_PROJECT_CONFIG_FILE).
# TGZ keeps the defaults: everything outside the "deb" component, at the top
# of one folder. DEB installs only the "deb" component, under /usr.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_VANTU_DEB_PROJECT}")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
