target_sources(vantu_lib PRIVATE
    localities/LocalityFile.h localities/LocalityFile.cpp
    localities/LocalityModel.h localities/LocalityModel.cpp
    localities/LocalityGrid.cpp
)
