#pragma once
// Test doubles of every platform seam: a clock the test sets, dialogs that
// answer from a queue and record every message, an in-memory settings key,
// a sound output that records what it played, and a shell that records URLs.

#include "platform/Platform.h"
#include <QHash>
#include <QList>
#include <QQueue>
#include <QVariant>

class FakeClock : public WallClock {
public:
    QDateTime current = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0, 0));
    QDateTime now() const override { return current; }
    void set(int second, int msec) { current.setTime(QTime(current.time().hour(), current.time().minute(), second, msec)); }
    void advanceMs(int ms) { current = current.addMSecs(ms); }
};

struct ShownMessage {
    MessageKind kind;
    QString caption;
    QString text;
};

class FakeDialogs : public Dialogs {
public:
    QList<ShownMessage> shown;          // every message and question, in order
    QQueue<Answer> answers;             // answers to questions; Cancel when empty
    void message(MessageKind kind, const QString &caption, const QString &text) override;
    Answer askYesNoCancel(const QString &caption, const QString &text) override;
    Answer askYesNo(const QString &caption, const QString &text) override;
    // Answer::Yes picks the first button; anything else, or none, the second.
    bool askChoice(const QString &caption, const QString &text, const QString &first, const QString &second) override;
    QStringList choiceButtons; // the two buttons of every choice, in order
    QQueue<std::optional<QColor>> colors; // answers of the colour chooser; cancelled when empty
    QQueue<std::optional<FontChoice>> fonts;
    QList<FontChoice> fontsOffered; // what the font chooser opened with, each time
    std::optional<QColor> chooseColor(const QColor &) override { return colors.isEmpty() ? std::nullopt : colors.dequeue(); }
    std::optional<FontChoice> chooseFont(const FontChoice &initial, const QColor &) override
    {
        fontsOffered << initial;
        return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
    }
    // Prints to a PDF file when set; cancels when empty.
    QString printToFile;
    int printerSetups = 0;
    bool choosePrinter(QPrinter &printer) override;
    void printerSetup(QPrinter &) override { ++printerSetups; }
    QStringList texts() const;
};

class FakeFileDialogs : public FileDialogs {
public:
    QQueue<QString> openAnswers, saveAnswers; // empty string = cancelled
    QString lastFilter;
    QStringList startPaths; // the start folder (and name) of every dialog shown
    QString openFileName(const QString &, const QString &, const QString &, QString *selectedFilter) override;
    QString saveFileName(const QString &, const QString &, const QString &, QString *selectedFilter) override;
};

class FakeSettings : public SettingsStore {
public:
    bool exists = false;
    QHash<QString, QVariant> values; // QString for text, int for integers
    bool keyExists() const override { return exists; }
    bool contains(const QString &name) const override { return exists && values.contains(name); }
    QString readString(const QString &name) const override { return values.value(name).toString(); }
    qint32 readInteger(const QString &name) const override { return values.value(name).toInt(); }
    bool isInteger(const QString &name) const override { return values.value(name).typeId() == QMetaType::Int; }
    void writeString(const QString &name, const QString &value) override { exists = true; values[name] = value; }
    void writeInteger(const QString &name, qint32 value) override { exists = true; values[name] = value; }
    void createKey() override { exists = true; }
};

class FakeSound : public SoundOutput {
public:
    QStringList played;
    bool play(const QString &waveName) override { played << waveName; return true; }
};

class FakeShell : public Shell {
public:
    QStringList opened;
    bool succeed = true;
    bool openUrl(const QString &url) override { opened << url; return succeed; }
};

class FakeScreens : public Screens {
public:
    QList<ScreenArea> screens = {{QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 1000)}};
    QList<ScreenArea> areas() const override { return screens; }
};

struct FakePlatform {
    FakeClock clock;
    FakeDialogs dialogs;
    FakeFileDialogs fileDialogs;
    FakeSettings settings;
    FakeSound sound;
    FakeShell shell;
    FakeScreens screens;
    Platform seams() { return Platform{clock, dialogs, fileDialogs, settings, sound, shell, screens}; }
};
