set(CORE_SOURCES DocumentSlots.h DocumentSlots.cpp ProgramState.h SettingsText.h SettingsText.cpp
    SettingsKeys.h SettingsKeys.cpp
    IniSettingsStore.h IniSettingsStore.cpp)
set(GUI_SOURCES Zendra12F.h Zendra12F.cpp Zendra12F_Casting.cpp Zendra12F_Documents.cpp
    Zendra12F_Actions.cpp Zendra12F_Trigrams.cpp Zendra12F_Reading.cpp Zendra12F_Panel.cpp Zendra12F_Files.cpp Zendra12F_Settings.cpp Zendra12F_Edit.cpp Zendra12F_Notes.cpp Zendra12F_Print.cpp Zendra12F_Recovery.cpp
    ZendraWindows.h ZendraWindows.cpp DesktopPlatform.h DesktopPlatform.cpp StartupTrace.h)
