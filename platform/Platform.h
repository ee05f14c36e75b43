#pragma once
// The seams between Zendra and the desktop it runs on. The program talks to
// the clock, the user's modal answers, file dialogs, the settings store, the
// sound output and the shell only through these, so tests can stand in for each.

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QRect>
#include <optional>

class QPrinter;
#include <QString>
#include <QStringList>
#include <QVariant>

// The program's name, and the title of the application and of its message boxes.
inline const QString kProgramName = QStringLiteral("Zendra");
inline const QString kProgramCaption = QStringLiteral("Zendra 2.1");

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
};

enum class MessageKind { Information, Warning, Error, Confirmation };

// What "&Písmo..." chooses: the editor's font and the colour of its text.
struct FontChoice {
    QFont font;
    QColor color;
};
enum class Answer { Ok, Yes, No, Cancel };

// Modal messages and questions. Captions are the window titles the user sees.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(MessageKind kind, const QString &caption, const QString &text) = 0;
    // A question with the buttons Ano, Ne and Storno.
    virtual Answer askYesNoCancel(const QString &caption, const QString &text) = 0;
    // A question with the buttons Ano and Ne.
    virtual Answer askYesNo(const QString &caption, const QString &text) = 0;
    // A question with two buttons named by the caller and no way around
    // them: true for the first.
    virtual bool askChoice(const QString &caption, const QString &text, const QString &first,
                           const QString &second) = 0;
    // The colour and font choosers; nothing when the user cancels. The font
    // chooser shows its sample on the given background.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial, const QColor &background) = 0;
    // The print dialog (false: cancelled) and the printer set-up dialog.
    virtual bool choosePrinter(QPrinter &printer) = 0;
    virtual void printerSetup(QPrinter &printer) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty when the user cancels. selectedFilter receives the chosen filter.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filters,
                                 QString *selectedFilter = nullptr) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filters,
                                 QString *selectedFilter = nullptr) = 0;
};

// One key of the settings store, holding text and 32-bit integer values.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool keyExists() const = 0;
    virtual bool contains(const QString &name) const = 0;
    virtual QString readString(const QString &name) const = 0;
    virtual qint32 readInteger(const QString &name) const = 0;
    virtual bool isInteger(const QString &name) const = 0;
    virtual void writeString(const QString &name, const QString &value) = 0;
    virtual void writeInteger(const QString &name, qint32 value) = 0;
    virtual void createKey() = 0;
    // Stores what was written since the last commit. Empty on success, else
    // the Czech message that names the file and the reason.
    virtual QString commit() { return QString(); }
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the embedded wave once without waiting; stops one still playing.
    virtual bool play(const QString &waveName) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QString &url) = 0;
};

// The desktop's screens, the primary one first: each one's whole area and
// the part that windows may take (without panels and docks).
struct ScreenArea {
    QRect geometry;
    QRect available;
};

class Screens {
public:
    virtual ~Screens() = default;
    virtual QList<ScreenArea> areas() const = 0;
};

struct Platform {
    WallClock &clock;
    Dialogs &dialogs;
    FileDialogs &fileDialogs;
    SettingsStore &settings;
    SoundOutput &sound;
    Shell &shell;
    Screens &screens;
};
