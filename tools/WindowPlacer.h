#pragma once
// One tool window's place: the stored place (or the default) when the
// window first shows, or the place "Původní nastavení" gives it, always
// fitted into the screens; written by "&Uložit nastavení" only once the
// window has really had a place.

#include "tools/WindowPlace.h"

class QWidget;
class TForm1;

class WindowPlacer {
public:
    // Registers itself with the main window, which saves and resets the places.
    WindowPlacer(QWidget &window, TForm1 &main, ToolWindow which, const SettingsStore &settings);

    // From the window's showEvent: the first showing takes the place.
    void showing();
    void restoreOriginal();
    void save(SettingsStore &settings) const;
    bool hasPlace() const { return m_placed; }

private:
    void apply(const QRect &place);

    QWidget &m_window;
    TForm1 &m_main;
    ToolWindow m_which;
    StoredWindowPlace m_stored;
    bool m_placed = false;
};
