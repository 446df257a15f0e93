list(APPEND vantu_core_sources
    localities/LocalityFile.h localities/LocalityFile.cpp
    localities/LocalityDatabase.h localities/LocalityDatabase.cpp
    localities/HorizonStore.h localities/HorizonStore.cpp
    localities/MessageCatalogue.h localities/MessageCatalogue.cpp
    localities/Gazetteer.h localities/Gazetteer.cpp
    localities/ModuleFile.h localities/ModuleFile.cpp
    localities/FoldedName.h localities/FoldedName.cpp
    localities/geonames/GeonamesModule.h
)
list(APPEND vantu_gui_sources
    localities/LocalityModel.h localities/LocalityModel.cpp
    localities/Hladat.h localities/Hladat.cpp
    localities/Horizont.h localities/Horizont.cpp
)
