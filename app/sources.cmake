set(CORE_SOURCES DocumentSlots.h DocumentSlots.cpp Platform.h ProgramState.h
    IniSettingsStore.h IniSettingsStore.cpp)
set(GUI_SOURCES Zendra12F.h Zendra12F.cpp Zendra12F_Casting.cpp Zendra12F_Documents.cpp
    Zendra12F_Trigrams.cpp Zendra12F_Reading.cpp Zendra12F_Panel.cpp ZendraWindows.h ZendraWindows.cpp Zendra12F_Files.cpp DesktopPlatform.h DesktopPlatform.cpp)
