# What every layer above shares (core): the language and the texts' shape,
# the place and the clock, file locations, the system clock, the atomic
# writer, the strict integer reader, the dates' events on a clock with their
# words, file text and writers. For the windows: the one message-box helper
# with the interface language it speaks, the modal runner, the save and print
# dialogs, Esc and the centring of small windows, GIF pictures, and Qt's own
# texts in the interface language.
list(APPEND vantu_core_sources
    common/Language.h common/Texts.h
    common/Place.h common/Place.cpp
    common/Clock.h common/Clock.cpp
    common/AtomicFile.h common/AtomicFile.cpp
    common/IntegerText.h common/IntegerText.cpp
    common/FileLocations.h common/FileLocations.cpp
    common/SystemClock.h common/SystemClock.cpp
    common/EventsOnClock.h common/EventsOnClock.cpp
    common/EventTexts.h common/EventTexts.cpp
    common/FileText.h common/FileText.cpp
    common/ICalendarFile.h common/ICalendarFile.cpp
    common/EventWriters.h common/EventWriters.cpp
    common/Alignments.h common/Alignments.cpp
    common/HorizonFile.h common/HorizonFile.cpp
)
list(APPEND vantu_gui_sources
    common/Messages.h common/Messages.cpp
    common/MessageLanguage.h common/MessageLanguage.cpp
    common/ModalRun.h common/ModalRun.cpp
    common/StandardDialogs.h common/StandardDialogs.cpp
    common/EscapeKey.h common/EscapeKey.cpp
    common/WindowPlacement.h common/WindowPlacement.cpp
    common/GifPicture.h common/GifPicture.cpp
    common/QtTranslations.h common/QtTranslations.cpp
)
