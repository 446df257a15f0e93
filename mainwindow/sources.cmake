target_sources(vantu_lib PRIVATE
    mainwindow/Messages.h mainwindow/Messages.cpp
    mainwindow/AtomicFile.h mainwindow/AtomicFile.cpp
    mainwindow/IntegerText.h mainwindow/IntegerText.cpp
    mainwindow/IniFile.h mainwindow/IniFile.cpp
    mainwindow/SpinEdit.h mainwindow/SpinEdit.cpp
    mainwindow/LanguageTexts.h mainwindow/LanguageTexts.cpp
    mainwindow/Vantu.h mainwindow/Vantu.cpp
)

# Toolbar images, with @2x versions for 200 % scaling.
file(GLOB toolbar_icons RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/mainwindow/icons/*.png)
qt_add_resources(vantu_lib "toolbar_icons" PREFIX "/icons" BASE mainwindow/icons FILES ${toolbar_icons})
