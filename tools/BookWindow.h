#pragma once
// What the viewer and the contents window share: a tool window above the
// main window, placed where the settings say or, for each missing value, at
// a default taken from the main window when it first appears; F9 closes it
// (not with Ctrl alone) and Tab moves to its partner when that is visible.

#include "tools/WindowPlacer.h"
#include <QWidget>

class TForm1;
class SettingsStore;

class TBookWindow : public QWidget {
    Q_OBJECT
public:
    TBookWindow(TForm1 &main, SettingsStore &settings, ToolWindow which);
    void setPartner(QWidget *partner) { m_partner = partner; }

protected:
    void showEvent(QShowEvent *event) override;
    // True when the key event was one of the two shared keys.
    bool handleSharedKey(QEvent *event);

    TForm1 &m_main;
    QWidget *m_partner = nullptr;

private:
    WindowPlacer m_place;
};
