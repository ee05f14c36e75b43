#include "reading/ReadingGenerator.h"

namespace {

void AppendEntry(QStringList &out, const QString &label, const LineEntry &entry)
{
    out << label << QStringLiteral("  Obraz:") << entry.image << QStringLiteral("  Uplatnění:");
    out << entry.application;
    out << QString();
}

} // namespace

QString GenerateReading(const InterpretationCorpus &corpus, const HexagramLines &l, bool viewMode, QStringList &out)
{
    using namespace BookTables;
    const int n = HexagramNumberOf(l);
    const HexagramText &text = corpus.record(n);
    out << QString() << QString();
    out << QStringLiteral("  Nahoře:  ") + TrigramText(UpperTrigram(l), n, true);
    out << QStringLiteral("  Dole:  ") + TrigramText(LowerTrigram(l), n, false);
    out << QString() << Heading(n) << QString();
    out << QStringLiteral("  Symbol:") << text.symbol << QString();
    out << PrincipleLabel(n) << text.principle << QString();
    out << QStringLiteral("  Výklad:") << text.interpretation << QString() << QString();
    out << QStringLiteral("  Výroky čar:") << QString();

    bool allSame = true;
    const LineValue changingValue = n == 1 ? 9 : 6;
    for (int p = 1; p <= 6; ++p)
        allSame = allSame && l[p] == changingValue;
    if ((n == 1 || n == 2) && allSame && text.allLines) {
        AppendEntry(out, LineLabel(n, 7), *text.allLines);
        if (!viewMode)
            return Heading(n);
    }
    for (int p = 1; p <= 6; ++p)
        if (IsChanging(l[p]))
            AppendEntry(out, LineLabel(n, p), text.lines[p - 1]);
    return Heading(n);
}

QString ConsultationReading(const InterpretationCorpus &corpus, const HexagramLines &castLines,
                            const ReadingOptions &options, QStringList &out)
{
    QString heading = GenerateReading(corpus, castLines, false, out);
    if (options.developing) {
        out << QString() << QString() << kDevelopingHeading;
        if (options.guidance)
            out << QString() << corpus.guidance();
        heading = GenerateReading(corpus, DevelopingLines(castLines), false, out);
        out << kDevelopingClosing;
    }
    return heading;
}
