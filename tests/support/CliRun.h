#pragma once
// zendra-cli run as a process, as a script would run it.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int code;
    QString out;
    QString err;
};

inline CliRun Cli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    p.start(QStringLiteral(ZENDRA_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
