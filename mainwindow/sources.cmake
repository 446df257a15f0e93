target_sources(vantu_lib PRIVATE
    mainwindow/Messages.h mainwindow/Messages.cpp
    mainwindow/LanguageTexts.h mainwindow/LanguageTexts.cpp
)
