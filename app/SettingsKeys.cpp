#include "app/SettingsKeys.h"
#include <cstring>
#include <stdexcept>

namespace {
using T = SettingType;
using W = SettingWriter;

// Name, type, default number, default text, writer, restored by "Původní nastavení".
constexpr SettingKey kTable[] = {
    {"Dir",            T::Text,    0, "",                           W::Nobody,        false},
    {"FontM1",         T::Text,    0, "Arial CE,11,0000,$00E8F4D0", W::SaveSettings,  true},
    {"ColorM1",        T::Text,    0, "clBlack",                    W::SaveSettings,  true},
    {"FS",             T::Flag,    1, nullptr,                      W::SaveSettings,  false},
    {"PC",             T::Flag,    1, nullptr,                      W::SaveSettings,  false},
    {"F2Left",         T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F2Top",          T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F2Height",       T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F2Width",        T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F3Left",         T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F3Top",          T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F3Height",       T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F3Width",        T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F9Left",         T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F9Top",          T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F10Left",        T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"F10Top",         T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"JournalLeft",    T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"JournalTop",     T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"JournalHeight",  T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"JournalWidth",   T::Integer, 0, nullptr,                      W::WindowPlace,   false},
    {"KxColPanelTop",  T::Integer, 248, nullptr,                    W::SaveSettings,  false},
    {"KxColPanelLeft", T::Integer, 336, nullptr,                    W::SaveSettings,  false},
    {"CisHex",         T::Flag,    1, nullptr,                      W::SaveSettings,  true},
    {"VyvHex",         T::Flag,    0, nullptr,                      W::SaveSettings,  true},
    {"VDHex",          T::Flag,    1, nullptr,                      W::SaveSettings,  true},
    {"CisDr",          T::Integer, 5, nullptr,                      W::SaveSettings,  true},
    {"ZObrTrig",       T::Flag,    1, nullptr,                      W::SaveSettings,  true},
    {"ZVykrCar",       T::Flag,    1, nullptr,                      W::SaveSettings,  true},
    {"ZPanelHex",      T::Flag,    0, nullptr,                      W::SaveSettings,  true},
    {"SMince",         T::Flag,    1, nullptr,                      W::SaveSettings,  true},
    {"CisZv",          T::Integer, 7, nullptr,                      W::SaveSettings,  true},
    {"Rychle",         T::Flag,    0, nullptr,                      W::SaveSettings,  true},
    {"SpE1",           T::Integer, 20, nullptr,                     W::MarginsDialog, false},
    {"SpE2",           T::Integer, 20, nullptr,                     W::MarginsDialog, false},
    {"SpE3",           T::Integer, 25, nullptr,                     W::MarginsDialog, false},
    {"SpE4",           T::Integer, 15, nullptr,                     W::MarginsDialog, false},
};
} // namespace

std::span<const SettingKey> SettingsTable() { return kTable; }

const SettingKey &Setting(const char *name)
{
    for (const SettingKey &k : kTable)
        if (std::strcmp(k.name, name) == 0)
            return k;
    throw std::logic_error(std::string("no setting ") + name);
}

QString SettingName(const SettingKey &key) { return QLatin1String(key.name); }
