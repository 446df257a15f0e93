target_sources(vantu_lib PRIVATE
    table/ResultLines.h table/ResultLines.cpp
    table/TextFile.h table/TextFile.cpp
    table/PrintLayout.h table/PrintLayout.cpp
)
