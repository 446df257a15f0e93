target_sources(vantu_lib PRIVATE
    calendar/CalCalc.h calendar/CalCalc.cpp
    calendar/MoonPhase.h calendar/MoonPhase.cpp
)
