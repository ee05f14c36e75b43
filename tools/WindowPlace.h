#pragma once
// Where the tool windows stand. A place is the frame's top-left corner and
// the client size, stored as <prefix>Left and Top and, for the windows the
// user sizes, Width and Height. A stored place is read value by value over
// the defaults, a size too small for any real window counts as absent, and
// every place is fitted into an existing screen's available area before use.

#include "platform/Platform.h"
#include <QMargins>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

enum class ToolWindow { Viewer, Contents, FindInBook, FindInFiles, Journal };

struct ToolWindowKeys {
    const char *prefix; // F2, F3, F9, F10, Journal
    bool sized;         // Width and Height are stored too
    QSize minimum;      // a stored size below this never came from a real window
};
const ToolWindowKeys &KeysOf(ToolWindow window);

// The main window as the default places read it: its client area (under
// the menu), its outer height with the frame, and the screen's height.
struct MainWindowSize {
    int clientWidth = 0;
    int clientHeight = 0;
    int outerHeight = 0;
    int screenHeight = 0;
};

// The place before the user has moved the window, and the one that
// "Původní nastavení" gives it. Windows placed by position alone get an
// empty size.
QRect DefaultPlace(ToolWindow window, const MainWindowSize &main);
QRect OriginalPlace(ToolWindow window, const MainWindowSize &main);

// The frame moved into the available area of the screen that holds most of
// it (the primary screen when none does), and shrunk when it is larger.
QRect FitIntoScreens(const QRect &frame, const QList<ScreenArea> &screens);

class StoredWindowPlace {
public:
    StoredWindowPlace() = default;
    StoredWindowPlace(const SettingsStore &settings, const ToolWindowKeys &keys);
    // Each stored value over the default; the default size wherever the
    // stored one is missing or too small.
    QRect resolve(const QRect &defaults) const;
    static void write(SettingsStore &settings, const ToolWindowKeys &keys, const QRect &place);

private:
    std::array<std::optional<int>, 4> m_values; // Left, Top, Width, Height
};
