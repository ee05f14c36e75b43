#include "cli/Commands.h"
#include "casting/Hexagram.h"
#include "reading/ReadingGenerator.h"
#include <QFile>
#include <cstdio>

namespace {

const QString kUsage = QStringLiteral(
    "použití: zendra-cli PŘÍKAZ ...\n"
    "  help, --help      tento přehled\n"
    "  number LINES      čísla hexagramu a vývojového hexagramu\n"
    "  reading LINES [--view] [--developing] [--guidance]\n"
    "                    text, který hod připojí ke konzultaci (--view: text prohlížeče)\n"
    "  open FILE [--password P]   řádky otevřeného souboru konzultace (šifrovaný jen s heslem)\n"
    "  save FILE [--password P]   uloží řádky ze standardního vstupu\n"
    "  lzh compress|expand IN OUT   zkomprimuje nebo rozbalí soubor (proud poznámek)\n"
    "  notes list|get|put FILE [NAME] [--key K] [--compressed] [--text]   položky souboru poznámek\n"
    "  find-book TEXT [--case] [--words]   hexagramy s textem: číslo a pozice první shody\n"
    "  find-files DIR TEXT [--password P] [--case] [--words]   soubory konzultací s textem\n"
    "  journal DIR [--password P] [--subfolders]   konzultace adresáře: soubor, datum a čas,\n"
    "                    hexagram, vývojový hexagram, otázka (oddělené tabulátorem)\n"
    "  stats DIR [--password P] [--subfolders]   počty hodnot 6 až 9 a zda odpovídají poctivým mincím\n"
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

int Reading(const QStringList &args, CliOutput &out)
{
    QString linesText;
    bool view = false;
    ReadingOptions options;
    for (const QString &a : args) {
        if (a == QLatin1String("--view"))
            view = true;
        else if (a == QLatin1String("--developing"))
            options.developing = true;
        else if (a == QLatin1String("--guidance"))
            options.guidance = true;
        else if (linesText.isEmpty() && !a.startsWith(QLatin1String("--")))
            linesText = a;
        else {
            out.stderrText += kUsage;
            return kCliUsage;
        }
    }
    HexagramLines lines;
    if (linesText.isEmpty()) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    if (!ParseLines(linesText, lines, out))
        return kCliUsage;
    const InterpretationCorpus &corpus = InterpretationCorpus::Embedded();
    QStringList text;
    if (view)
        GenerateReading(corpus, FullReadingForm(lines), true, text);
    else
        ConsultationReading(corpus, lines, options, text);
    for (const QString &line : text)
        out.stdoutText += line + u'\n';
    return kCliOk;
}

} // namespace

bool ReadInput(QIODevice *input, QByteArray &bytes)
{
    QFile standardInput;
    if (!input) {
        if (!standardInput.open(stdin, QIODevice::ReadOnly))
            return false;
        input = &standardInput;
    }
    bytes = input->readAll();
    return true;
}

int RunCommand(const QStringList &args, CliOutput &out, QIODevice *input)
{
    if (args.isEmpty()) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    // Asked for, the usage is the answer: stdout and success.
    if (command == QLatin1String("help") || args.contains(QLatin1String("--help"))
        || args.contains(QLatin1String("-h"))) {
        out.stdoutText += kUsage;
        return kCliOk;
    }
    if (command == QLatin1String("number"))
        return Number(rest, out);
    if (command == QLatin1String("open"))
        return OpenCommand(rest, out);
    if (command == QLatin1String("lzh")) return LzhCommand(rest, out);
    if (command == QLatin1String("notes")) return NotesCommand(rest, out, input);
    if (command == QLatin1String("save"))
        return SaveCommand(rest, out, input);
    if (command == QLatin1String("find-book"))
        return FindBookCommand(rest, out);
    if (command == QLatin1String("find-files"))
        return FindFilesCommand(rest, out);
    if (command == QLatin1String("journal"))
        return JournalCommand(rest, out);
    if (command == QLatin1String("stats"))
        return StatsCommand(rest, out);
    if (command == QLatin1String("reading"))
        return Reading(rest, out);
    out.stderrText += kUsage;
    return kCliUsage;
}
