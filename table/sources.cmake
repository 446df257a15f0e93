list(APPEND vantu_core_sources
    table/ResultLines.h table/ResultLines.cpp
    table/TextFile.h table/TextFile.cpp
    table/PrintLayout.h table/PrintLayout.cpp
)
list(APPEND vantu_gui_sources
    table/TablePrint.h table/TablePrint.cpp
    table/Tabulka.h table/Tabulka.cpp
)
