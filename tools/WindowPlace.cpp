#include "tools/WindowPlace.h"

StoredWindowPlace::StoredWindowPlace(const SettingsStore &settings, const QString &prefix)
{
    static const char *const kNames[4] = {"Left", "Top", "Width", "Height"};
    if (!settings.keyExists())
        return;
    for (int i = 0; i < 4; ++i) {
        const QString name = prefix + QLatin1String(kNames[i]);
        if (settings.contains(name))
            m_values[i] = settings.readInteger(name);
    }
}

QRect StoredWindowPlace::resolve(int left, int top, int width, int height) const
{
    return QRect(m_values[0].value_or(left), m_values[1].value_or(top), m_values[2].value_or(width),
                 m_values[3].value_or(height));
}
