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
