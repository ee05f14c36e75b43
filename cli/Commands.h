#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliOutput {
    QString stdoutText;
    QString stderrText;
    QByteArray stdoutBytes; // raw bytes, written after stdoutText
};

inline constexpr int kCliOk = 0;
inline constexpr int kCliFailure = 1;
inline constexpr int kCliUsage = 2;

int RunCommand(const QStringList &args, CliOutput &out);
int OpenCommand(const QStringList &args, CliOutput &out);
int SaveCommand(const QStringList &args, CliOutput &out);
int LzhCommand(const QStringList &args, CliOutput &out);
int NotesCommand(const QStringList &args, CliOutput &out);
int FindBookCommand(const QStringList &args, CliOutput &out);
int FindFilesCommand(const QStringList &args, CliOutput &out);
