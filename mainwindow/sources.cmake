list(APPEND vantu_core_sources
    mainwindow/IniFile.h mainwindow/IniFile.cpp
    mainwindow/LightSettings.h mainwindow/LightSettings.cpp
    # Plain data without windows, so that its tests need none.
    mainwindow/LanguageTexts.h mainwindow/LanguageTexts.cpp
)
list(APPEND vantu_gui_sources
    mainwindow/SpinEdit.h mainwindow/SpinEdit.cpp
    mainwindow/Commands.h mainwindow/Commands.cpp
    mainwindow/Vantu.h
    mainwindow/Vantu.cpp
    mainwindow/VantuLayout.cpp
    mainwindow/VantuPanel.cpp
    mainwindow/VantuLocalities.cpp
    mainwindow/VantuTools.cpp
)
