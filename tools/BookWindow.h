#pragma once
// What the viewer and the contents window share: a tool window above the
// main window, placed where the settings say or, for each missing value, at
// a default taken from the main window when it first appears; F9 closes it
// (not with Ctrl alone) and Tab moves to its partner when that is visible.

#include "tools/WindowPlace.h"
#include <QWidget>

class TForm1;
class SettingsStore;

class TBookWindow : public QWidget {
    Q_OBJECT
public:
    TBookWindow(TForm1 &main, SettingsStore &settings, const QString &placePrefix);
    void setPartner(QWidget *partner) { m_partner = partner; }

protected:
    // The default place computed from the main window at first showing.
    virtual QRect defaultPlace() const = 0;
    void showEvent(QShowEvent *event) override;
    // True when the key event was one of the two shared keys.
    bool handleSharedKey(QEvent *event);

    TForm1 &m_main;
    QWidget *m_partner = nullptr;

private:
    StoredWindowPlace m_stored;
    bool m_placed = false;
};
