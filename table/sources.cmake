target_sources(vantu_lib PRIVATE
    table/ResultLines.h table/ResultLines.cpp
    table/TextFile.h table/TextFile.cpp
    table/PrintLayout.h table/PrintLayout.cpp
    table/TablePrint.h table/TablePrint.cpp
    table/Tabulka.h table/Tabulka.cpp
    table/TableCommands.cpp
)
