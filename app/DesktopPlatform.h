#pragma once
// The real platform behind the seams: system clock, message boxes, Qt's file
// dialogs, the INI settings store, sound through Qt Multimedia and the shell.

#include "app/IniSettingsStore.h"
#include "platform/Platform.h"
#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;
class WaveFilePlayer;
class QTemporaryDir;

class SystemClock : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The window a modal box belongs to and must come up in front of: the modal
// window open now (the margins dialog printing), else the active window,
// else a window that stays on top (the logo at start-up), else the main window.
QWidget *DialogOwner(QWidget *mainWindow);

class MessageBoxDialogs : public Dialogs {
public:
    void setParentWindow(QWidget *w) { m_parent = w; }
    void message(MessageKind kind, const QString &caption, const QString &text) override;
    Answer askYesNoCancel(const QString &caption, const QString &text) override;
    Answer askYesNo(const QString &caption, const QString &text) override;
    bool askChoice(const QString &caption, const QString &text, const QString &first, const QString &second) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial, const QColor &background) override;
    bool choosePrinter(QPrinter &printer) override;
    void printerSetup(QPrinter &printer) override;

private:
    QWidget *owner() const;
    QPointer<QWidget> m_parent;
};

class QtFileDialogs : public FileDialogs {
public:
    void setParentWindow(QWidget *w) { m_parent = w; }
    QString openFileName(const QString &caption, const QString &dir, const QString &filters,
                         QString *selectedFilter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filters,
                         QString *selectedFilter) override;

private:
    QPointer<QWidget> m_parent;
};

// Plays embedded waves: each is written once to a private temporary folder,
// since the sound service wants a file it can stream from. The player comes
// from the zendra-sound module, loaded at the first play.
class MultimediaSound : public SoundOutput {
public:
    // The module is looked for in these folders; by default beside the
    // program, then where it is installed.
    explicit MultimediaSound(const QStringList &moduleFolders = {});
    ~MultimediaSound() override;
    bool play(const QString &waveName) override;

private:
    WaveFilePlayer *player();

    QStringList m_moduleFolders;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<WaveFilePlayer> m_player;
    bool m_loadTried = false;
};

class DesktopShell : public Shell {
public:
    bool openUrl(const QString &url) override;
};

class DesktopScreens : public Screens {
public:
    QList<ScreenArea> areas() const override;
};

struct DesktopPlatform {
    SystemClock clock;
    MessageBoxDialogs dialogs;
    QtFileDialogs fileDialogs;
    IniSettingsStore settings;
    MultimediaSound sound;
    DesktopShell shell;
    DesktopScreens screens;

    Platform seams() { return Platform{clock, dialogs, fileDialogs, settings, sound, shell, screens}; }
};
