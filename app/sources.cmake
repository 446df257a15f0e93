list(APPEND vantu_core_sources
    app/InstanceGuard.h app/InstanceGuard.cpp
    app/ProductInfo.h app/ProductInfo.cpp
    app/YearChart.h app/YearChart.cpp
    app/SkyChart.h app/SkyChart.cpp
)
list(APPEND vantu_gui_sources
    app/MainWindow.h
    app/Shell.h app/Shell.cpp
    app/About.h app/About.cpp
    app/MapWindow.h app/MapWindow.cpp
    app/MapaSveta.h app/MapaSveta.cpp
    app/MapaSK.h app/MapaSK.cpp
    app/ChartPen.h app/ChartPen.cpp
    app/ChartExport.h app/ChartExport.cpp
    app/ChartWindow.h app/ChartWindow.cpp
    app/HorizonDrawing.h app/HorizonDrawing.cpp
    app/YearChartView.h app/YearChartView.cpp
    app/YearChartStyle.h app/YearChartStyle.cpp
    app/RokSlnka.h app/RokSlnka.cpp
    app/SkyChartView.h app/SkyChartView.cpp
    app/SlnkoMesiac.h app/SlnkoMesiac.cpp
    app/Zarovnanie.h app/Zarovnanie.cpp
)
