target_sources(vantu_lib PRIVATE
    mainwindow/Messages.h mainwindow/Messages.cpp
)
