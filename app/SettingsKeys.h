#pragma once
// Every value of the settings key in one table: its name, its type and its
// default, and who writes it. Loading, "&Uložit nastavení" and "Původní
// &nastavení" all go through it, so a value cannot be saved under one name
// and read under another, or restored to a default that loading does not use.

#include <QString>
#include <span>

enum class SettingType { Text, Integer, Flag };
enum class SettingWriter {
    Nobody,        // read only (the notes folder)
    SaveSettings,  // "&Uložit nastavení"
    WindowPlace,   // "&Uložit nastavení", and only for a window that had a place
    MarginsDialog, // "OK" of the page margins dialog
};

struct SettingKey {
    const char *name;
    SettingType type;
    int number;       // the default of an integer or a flag
    const char *text; // the default of a text
    SettingWriter writer;
    bool original;    // "Původní &nastavení" puts the default back
};

// In the order "&Uložit nastavení" writes them. Window places have their
// defaults computed from the main window (tools/WindowPlace.h).
std::span<const SettingKey> SettingsTable();
const SettingKey &Setting(const char *name);
QString SettingName(const SettingKey &key);
