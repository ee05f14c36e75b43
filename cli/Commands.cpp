#include "cli/Commands.h"
#include "casting/Hexagram.h"

namespace {

const QString kUsage = QStringLiteral(
    "použití: zendra-cli PŘÍKAZ ...\n"
    "  number LINES      čísla hexagramu a vývojového hexagramu\n"
    "LINES je šest číslic 6 až 9, spodní čára první.\n");

bool ParseLines(const QString &text, HexagramLines &lines, CliOutput &out)
{
    if (HexagramLines::parseDigits(text, lines))
        return true;
    out.stderrText += QStringLiteral("Čáry musí být šest číslic 6 až 9, spodní první: \"%1\"\n").arg(text);
    return false;
}

int Number(const QStringList &args, CliOutput &out)
{
    HexagramLines lines;
    if (args.size() != 1) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    if (!ParseLines(args[0], lines, out))
        return kCliUsage;
    out.stdoutText += QStringLiteral("%1 %2\n").arg(HexagramNumberOf(lines)).arg(HexagramNumberOf(DevelopingLines(lines)));
    return kCliOk;
}

} // namespace

int RunCommand(const QStringList &args, CliOutput &out)
{
    if (args.isEmpty()) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("number"))
        return Number(rest, out);
    out.stderrText += kUsage;
    return kCliUsage;
}
