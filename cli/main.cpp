// zendra-cli: the core of Zendra for scripts. Output is UTF-8; a failure
// prints the program's Czech message on stderr and exits 1; wrong usage exits 2.

#include "cli/Commands.h"
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    CliOutput out;
    const int rc = RunCommand(args, out);
    std::fputs(out.stdoutText.toUtf8().constData(), stdout);
    std::fwrite(out.stdoutBytes.constData(), 1, std::size_t(out.stdoutBytes.size()), stdout);
    std::fputs(out.stderrText.toUtf8().constData(), stderr);
    return rc;
}
