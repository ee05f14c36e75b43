#pragma once
// A window's stored place (<prefix>Left, Top, Width, Height), read from the
// settings key without creating it; a missing value falls back to a default
// that the window computes when it first appears.

#include "app/Platform.h"
#include <QRect>
#include <array>
#include <optional>

class StoredWindowPlace {
public:
    StoredWindowPlace() = default;
    StoredWindowPlace(const SettingsStore &settings, const QString &prefix);
    // Each edge from the store where it was there, else from defaults; the
    // default width may depend on the left edge actually used.
    QRect resolve(int left, int top, int width, int height) const;
    std::optional<int> left() const { return m_values[0]; }

private:
    std::array<std::optional<int>, 4> m_values; // Left, Top, Width, Height
};
