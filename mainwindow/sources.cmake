target_sources(vantu_lib PRIVATE
    mainwindow/Messages.h mainwindow/Messages.cpp
    mainwindow/IniFile.h mainwindow/IniFile.cpp
    mainwindow/LanguageTexts.h mainwindow/LanguageTexts.cpp
)
