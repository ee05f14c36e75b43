#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

struct CliOutput {
    QString stdoutText;
    QString stderrText;
    QByteArray stdoutBytes; // raw bytes, written after stdoutText
};

inline constexpr int kCliOk = 0;
inline constexpr int kCliFailure = 1;
inline constexpr int kCliUsage = 2;

// input: what save and notes put read; the process's standard input when null.
int RunCommand(const QStringList &args, CliOutput &out, QIODevice *input = nullptr);
int OpenCommand(const QStringList &args, CliOutput &out);
int SaveCommand(const QStringList &args, CliOutput &out, QIODevice *input = nullptr);
int LzhCommand(const QStringList &args, CliOutput &out);
int NotesCommand(const QStringList &args, CliOutput &out, QIODevice *input = nullptr);
// The whole of the input, or of the standard input when it is null.
bool ReadInput(QIODevice *input, QByteArray &bytes);
int FindBookCommand(const QStringList &args, CliOutput &out);
int FindFilesCommand(const QStringList &args, CliOutput &out);
int JournalCommand(const QStringList &args, CliOutput &out);
int StatsCommand(const QStringList &args, CliOutput &out);
