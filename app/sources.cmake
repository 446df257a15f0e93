target_sources(vantu_lib PRIVATE
    app/InstanceGuard.h app/InstanceGuard.cpp
    app/AuxCommands.cpp
    app/ProductInfo.h app/ProductInfo.cpp
    app/Shell.h app/Shell.cpp
    app/About.h app/About.cpp
    app/MapWindow.h app/MapWindow.cpp
    app/MapaSveta.h app/MapaSveta.cpp
    app/MapaSK.h app/MapaSK.cpp
    app/YearChart.h app/YearChart.cpp
    app/YearChartView.h app/YearChartView.cpp
    app/RokSlnka.h app/RokSlnka.cpp
)
# The Year of the Sun window writes its rows through the same writers as
# vantu-cli; they are built into the program's library as well, since
# vantu_cli_core repeats sources that vantu_lib already holds.
target_sources(vantu_lib PRIVATE table/SunTable.h table/SunTable.cpp)
# The iCalendar writer names the version, as in vantu_cli_core.
set_property(SOURCE table/SunTable.cpp TARGET_DIRECTORY vantu_lib APPEND PROPERTY
    COMPILE_DEFINITIONS VANTU_VERSION="${PROJECT_VERSION}")
