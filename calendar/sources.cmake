target_sources(vantu_lib PRIVATE
    calendar/CalCalc.h calendar/CalCalc.cpp
    calendar/MoonPhase.h calendar/MoonPhase.cpp
    calendar/FazeMesiaca.h calendar/FazeMesiaca.cpp
)
