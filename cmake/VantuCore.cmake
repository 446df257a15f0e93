# The window-free core library vantu_core: Qt Core on top of the Qt-free
# calculator. Included by the main build and by the fuzz build, so both
# compile the same list of files.
get_filename_component(VANTU_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# The generated version header: the version is typed only in the main
# build's project(VERSION), which a build of its own (fuzzing) reads.
if(NOT DEFINED VANTU_VERSION)
    if(PROJECT_NAME STREQUAL "Vantu")
        set(VANTU_VERSION ${PROJECT_VERSION})
    else()
        file(STRINGS ${VANTU_ROOT}/CMakeLists.txt vantu_project_line REGEX "^project\\(Vantu VERSION")
        string(REGEX MATCH "VERSION ([0-9.]+)" vantu_match "${vantu_project_line}")
        set(VANTU_VERSION ${CMAKE_MATCH_1})
    endif()
endif()
configure_file(${VANTU_ROOT}/common/Version.h.in ${CMAKE_BINARY_DIR}/generated/common/Version.h
               @ONLY)

if(NOT TARGET suntime)
    add_subdirectory(${VANTU_ROOT}/suntime ${CMAKE_BINARY_DIR}/suntime)
endif()

set(vantu_core_sources "")
set(vantu_gui_sources "")
foreach(folder common calendar mainwindow localities table app cli)
    include(${VANTU_ROOT}/${folder}/sources.cmake)
endforeach()
list(TRANSFORM vantu_core_sources PREPEND ${VANTU_ROOT}/)
list(TRANSFORM vantu_gui_sources PREPEND ${VANTU_ROOT}/)

add_library(vantu_core STATIC ${vantu_core_sources})
target_include_directories(vantu_core PUBLIC ${VANTU_ROOT} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(vantu_core PUBLIC suntime Qt6::Core)
set_target_properties(vantu_core PROPERTIES AUTOMOC ON)

# The installed city search module, relative to the folder above the
# programs': lib/x86_64-linux-gnu/vantu on Debian.
if(CMAKE_LIBRARY_ARCHITECTURE)
    set(VANTU_MODULE_FOLDER lib/${CMAKE_LIBRARY_ARCHITECTURE}/vantu)
else()
    set(VANTU_MODULE_FOLDER lib/vantu)
endif()
target_compile_definitions(vantu_core PRIVATE VANTU_MODULE_FOLDER="${VANTU_MODULE_FOLDER}")

