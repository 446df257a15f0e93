list(APPEND vantu_core_sources
    calendar/CalCalc.h calendar/CalCalc.cpp
    calendar/MoonPhase.h calendar/MoonPhase.cpp
)
list(APPEND vantu_gui_sources
    calendar/FazeMesiaca.h calendar/FazeMesiaca.cpp
)
