#include "reading/Corpus.h"
#include <QFile>

namespace {

// The section a header line "[name]" opens, or nothing. Checked by hand: a
// regular expression here would bring the pattern compiler into every start.
QString SectionName(const QString &line)
{
    static const QStringList kSections = {QStringLiteral("symbol"), QStringLiteral("principle"),
                                          QStringLiteral("interpretation"), QStringLiteral("all lines")};
    if (line.size() < 3 || !line.startsWith(u'[') || !line.endsWith(u']'))
        return {};
    const QString name = line.mid(1, line.size() - 2);
    if (kSections.contains(name))
        return name;
    const bool lineSection = name.size() == 6 && name.startsWith(QLatin1String("line ")) && name[5] >= u'1'
                             && name[5] <= u'6';
    return lineSection ? name : QString();
}

const char *const kTitles[kHexagramCount] = {
    "Tvoření", "Vnímání", "Rození", "Zrání", "Čekání", "Svár", "Vojsko", "Spojení",
    "Působení slabého", "Chůze", "Prosperita (mír)", "Úpadek", "Společenství", "Bohatství",
    "Pokora (skromnost)", "Nadšení", "Následek", "Rozklad (zkaženost)", "Vzestup", "Pozorování",
    "Skousnutí", "Půvab", "Roztříštění", "Návraty", "Nevinnost", "Podrobení velkého", "Potrava",
    "Převaha velkého", "Propadání", "Oheň", "Přitažlivost", "Sňatek (trvání)", "Ústup", "Moc velkého",
    "Pokrok", "Soumrak", "Rodina", "Vzdálení (protiklad)", "Překážka", "Osvobození", "Ubývání",
    "Vzrůst", "Otvor (rozhodnost)", "Vyjít vstříc", "Shromáždění", "Úsilí dosáhnout vrcholu",
    "Vyčerpání (tíseň)", "Studna", "Převrat", "Kotlík", "Hrom", "Znehybnění", "Rozvoj", "Provdání",
    "Hojnost", "Putování", "Pronikání", "Poklidná radost", "Rozklad", "Omezení", "Vnitřní pravda",
    "Převaha malého", "Po dokončení", "Před dokončením",
};

const char *const kLineLabels[7] = {
    "Proměnná čára na prvním místě, dole.", "Proměnná čára na druhém místě.",
    "Proměnná čára na třetím místě.",       "Proměnná čára na čtvrtém místě.",
    "Proměnná čára na pátém místě.",        "Proměnná čára na šestém místě, nahoře.",
    "Proměnná čára na všech místech.",
};

struct Bounds {
    int minParagraphs;
    int maxParagraphs;
    bool indented; // two leading spaces, else none
};
constexpr Bounds kSymbol{1, 2, false}, kPrinciple{1, 3, true}, kInterpretation{1, 2, true}, kApplication{1, 2, true};

void CheckParagraphs(const QString &where, const QStringList &paragraphs, const Bounds &b, QStringList &defects)
{
    if (paragraphs.size() < b.minParagraphs || paragraphs.size() > b.maxParagraphs)
        defects << QStringLiteral("%1: %2 paragraphs, expected %3 to %4")
                       .arg(where).arg(paragraphs.size()).arg(b.minParagraphs).arg(b.maxParagraphs);
    for (const QString &p : paragraphs) {
        const bool indented = p.startsWith(QLatin1String("  ")) && !p.startsWith(QLatin1String("   "));
        const bool flush = !p.startsWith(u' ');
        if (b.indented ? !indented : !flush)
            defects << QStringLiteral("%1: paragraph must %2: \"%3\"")
                           .arg(where, b.indented ? QStringLiteral("begin with exactly two spaces")
                                                  : QStringLiteral("have no leading spaces"),
                                p.left(40));
    }
}

QString ReadResourceText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

} // namespace

HexagramText ParseHexagramText(int number, const QString &text, QStringList &defects)
{
    const QString file = QStringLiteral("hex%1.txt").arg(number, 2, 10, QLatin1Char('0'));
    HexagramText record;
    record.number = number;
    QMap<QString, QStringList> sections;
    QStringList order;
    QString current;
    const QStringList rawLines = QString(text).remove(u'\r').split(u'\n');
    for (int i = 0; i < rawLines.size(); ++i) {
        QString line = rawLines[i];
        while (line.endsWith(u' ') || line.endsWith(u'\t'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (const QString name = SectionName(line); !name.isEmpty()) {
            current = name;
            if (sections.contains(current))
                defects << QStringLiteral("%1: section [%2] appears twice").arg(file, current);
            sections[current];
            order << current;
            continue;
        }
        if (line.startsWith(u'[')) {
            defects << QStringLiteral("%1:%2: unknown section %3").arg(file).arg(i + 1).arg(line);
            current.clear();
            continue;
        }
        if (current.isEmpty()) {
            defects << QStringLiteral("%1:%2: text outside any section").arg(file).arg(i + 1);
            continue;
        }
        if (line.contains(kPlaceholderMark))
            defects << QStringLiteral("%1:%2: placeholder text instead of the book's own").arg(file).arg(i + 1);
        sections[current] << line;
    }

    auto take = [&](const QString &name) {
        if (!sections.contains(name))
            defects << QStringLiteral("%1: section [%2] is missing").arg(file, name);
        return sections.value(name);
    };
    record.symbol = take(QStringLiteral("symbol"));
    record.principle = take(QStringLiteral("principle"));
    record.interpretation = take(QStringLiteral("interpretation"));
    CheckParagraphs(file + QStringLiteral(" [symbol]"), record.symbol, kSymbol, defects);
    CheckParagraphs(file + QStringLiteral(" [principle]"), record.principle, kPrinciple, defects);
    CheckParagraphs(file + QStringLiteral(" [interpretation]"), record.interpretation, kInterpretation, defects);

    auto takeEntry = [&](const QString &name) {
        const QStringList body = take(name);
        LineEntry entry;
        if (!body.isEmpty()) {
            entry.image = body.first();
            entry.application = body.mid(1);
        }
        const QString where = QStringLiteral("%1 [%2]").arg(file, name);
        if (entry.image.isEmpty() || entry.image.startsWith(u' '))
            defects << where + QStringLiteral(": the image must be one line without leading spaces");
        CheckParagraphs(where, entry.application, kApplication, defects);
        return entry;
    };
    for (int k = 1; k <= 6; ++k)
        record.lines[k - 1] = takeEntry(QStringLiteral("line %1").arg(k));
    const bool wantsAll = number == 1 || number == 2;
    if (wantsAll)
        record.allLines = takeEntry(QStringLiteral("all lines"));
    else if (sections.contains(QStringLiteral("all lines")))
        defects << QStringLiteral("%1: [all lines] belongs to hexagrams 1 and 2 only").arg(file);
    return record;
}

InterpretationCorpus InterpretationCorpus::FromTexts(const QMap<int, QString> &records, const QString &guidance)
{
    InterpretationCorpus corpus;
    for (int n = 1; n <= kHexagramCount; ++n) {
        if (!records.contains(n))
            corpus.m_defects << QStringLiteral("hex%1.txt: missing").arg(n, 2, 10, QLatin1Char('0'));
        corpus.m_records[n - 1] = ParseHexagramText(n, records.value(n), corpus.m_defects);
    }
    QStringList paragraphs;
    for (const QString &line : QString(guidance).remove(u'\r').split(u'\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            paragraphs << line.trimmed();
    if (paragraphs.size() != 1 || !paragraphs.first().startsWith(u'(') || !paragraphs.first().endsWith(u')'))
        corpus.m_defects << QStringLiteral("guidance.txt: must be one paragraph in parentheses");
    corpus.m_guidance = paragraphs.value(0);
    return corpus;
}

const InterpretationCorpus &InterpretationCorpus::Embedded()
{
    static const InterpretationCorpus corpus = [] {
        QMap<int, QString> records;
        for (int n = 1; n <= kHexagramCount; ++n) {
            const QString text = ReadResourceText(QStringLiteral(":/book/hex%1.txt").arg(n, 2, 10, QLatin1Char('0')));
            if (!text.isEmpty())
                records.insert(n, text);
        }
        return FromTexts(records, ReadResourceText(QStringLiteral(":/book/guidance.txt")));
    }();
    return corpus;
}

namespace BookTables {

QString Title(int number) { return QString::fromUtf8(kTitles[number - 1]); }

QString ShortTitle(int number)
{
    const QString title = Title(number);
    const qsizetype bracket = title.indexOf(QLatin1String(" ("));
    return bracket < 0 ? title : title.left(bracket);
}

QString Heading(int number)
{
    return QStringLiteral("       %1. Hexagram:  %2%3").arg(number).arg(Title(number)).arg(number == 7 ? "" : ".");
}

QString PrincipleLabel(int number)
{
    return number == 24 ? QStringLiteral("  Vlastnosti:") : QStringLiteral("  Princip:");
}

QString TrigramText(Trigram trigram, int number, bool upper)
{
    // Four hexagrams call the wind trigram by its other image, wood.
    const bool wood = trigram == Trigram::Wind
                      && ((!upper && (number == 46 || number == 48 || number == 50)) || (upper && number == 53));
    if (wood)
        return QStringLiteral("Vítr, pronikání (dřevo).");
    return QString::fromUtf8(TrigramInfoOf(trigram).readingName);
}

QString LineLabel(int number, int position)
{
    if (position == 1 && number == 1)
        return QStringLiteral("Proměnná čára na prvním místě, úplně dole.");
    return QString::fromUtf8(kLineLabels[position - 1]);
}

} // namespace BookTables
