#include "tools/Journal.h"
#include "files/ConsultationFile.h"
#include "reading/MarkerLine.h"
#include "tools/FileSearch.h"
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numbers>

// Everything here is a pure function of its arguments (the default locale is
// only read), so the window may read a folder on any thread.

namespace Journal {

namespace {

const QString kQuestionTag = QStringLiteral("Otázka:");

// Hidden and system entries count, as in find in files.
constexpr QDir::Filters kEntryFilter = QDir::Files | QDir::Hidden | QDir::System;

// Letter case aside, as a person reads a list of names; names differing in
// case only keep one fixed order.
bool NameLess(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// --- the header line -------------------------------------------------------
//
// The program writes "<short date>, <long time>" in the desktop's locale:
// "07.12.26, 16:20:05" in Czech, "7 Dec 2026, 16:20:05" with no locale at all,
// "12/7/26, 4:20:05 PM" in American English. Older files and other editors
// add "7. 12. 2026" and ISO dates. The header is read by its shape rather
// than by one locale's format, so a folder written on several machines reads
// alike.

struct Token {
    QStringView text;
    bool number;
};

// Runs of digits and runs of letters; everything else separates them.
QList<Token> Tokens(QStringView s)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (!c.isDigit() && !c.isLetter()) {
            ++i;
            continue;
        }
        const bool digits = c.isDigit();
        qsizetype j = i;
        while (j < s.size() && (digits ? s[j].isDigit() : s[j].isLetter()))
            ++j;
        tokens << Token{s.sliced(i, j - i), digits};
        i = j;
    }
    return tokens;
}

int NumberOf(const Token &t)
{
    bool ok = false;
    const int n = t.text.size() <= 4 ? t.text.toInt(&ok) : -1;
    return ok ? n : -1;
}

// Two-digit years are of this century: the program writes the current date.
// Anything else gives year 0, which no QDate holds.
int FullYear(const Token &t)
{
    const int n = NumberOf(t);
    if (t.text.size() == 2)
        return 2000 + n;
    return t.text.size() == 4 ? n : 0;
}

int MonthOfName(QStringView name)
{
    static constexpr const char *kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                              "jul", "aug", "sep", "oct", "nov", "dec"};
    if (name.size() < 3)
        return -1;
    for (int m = 0; m < 12; ++m)
        if (name.first(3).compare(QLatin1String(kMonths[m]), Qt::CaseInsensitive) == 0)
            return m + 1;
    return -1;
}

// Whether the desktop writes a slashed date day first ("07/12/2026") rather
// than month first ("12/7/26").
bool DayFirstWithSlashes()
{
    return !QLocale().dateFormat(QLocale::ShortFormat).startsWith(u'M');
}

QDate DateOf(QStringView s)
{
    const QList<Token> t = Tokens(s);
    if (t.size() != 3)
        return {};
    if (!t[1].number) // "7 Dec 2026"
        return t[0].number && t[2].number ? QDate(FullYear(t[2]), MonthOfName(t[1].text), NumberOf(t[0])) : QDate();
    if (!t[0].number || !t[2].number)
        return {};
    if (t[0].text.size() == 4) // "2026-12-07"
        return QDate(NumberOf(t[0]), NumberOf(t[1]), NumberOf(t[2]));
    if (s.contains(u'/') && !DayFirstWithSlashes())
        return QDate(FullYear(t[2]), NumberOf(t[0]), NumberOf(t[1]));
    return QDate(FullYear(t[2]), NumberOf(t[1]), NumberOf(t[0]));
}

QTime TimeOf(QStringView s)
{
    const QList<Token> t = Tokens(s);
    qsizetype numbers = 0;
    while (numbers < t.size() && t[numbers].number)
        ++numbers;
    if (numbers < 2 || numbers > 3 || t.size() - numbers > 1)
        return {};
    int hour = NumberOf(t[0]);
    if (t.size() > numbers) {
        const QStringView half = t.last().text;
        const bool am = half.compare(QLatin1String("AM"), Qt::CaseInsensitive) == 0;
        const bool pm = half.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || hour < 1 || hour > 12)
            return {};
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (t[1].text.size() != 2 || (numbers == 3 && t[2].text.size() != 2))
        return {};
    return QTime(hour, NumberOf(t[1]), numbers == 3 ? NumberOf(t[2]) : 0);
}

constexpr qsizetype kHeadLines = 8;

bool HasQuestionLine(const QStringList &lines)
{
    return std::any_of(lines.begin() + qMin<qsizetype>(1, lines.size()), lines.end(),
                       [](const QString &line) { return line.startsWith(kQuestionTag); });
}

// The name of a path below folder. A path from Candidates is the folder's
// path and the name, which is read off without asking the file system for
// the working folder again for every file.
QString RelativeName(const QString &folder, const QString &path)
{
    QString prefix = QDir(folder).path();
    if (!prefix.endsWith(u'/'))
        prefix += u'/';
    if (path.startsWith(prefix) && path.size() > prefix.size())
        return path.mid(prefix.size());
    // A relative path is taken from the working folder, as the file is opened.
    return QDir(folder).relativeFilePath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QDateTime HeaderTime(const QString &header)
{
    // The time is the word holding the first colon; the date is what precedes it.
    const QStringView line = QStringView(header).trimmed();
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return {};
    qsizetype start = colon;
    while (start > 0 && line[start - 1].isDigit())
        --start;
    QStringView datePart = line.first(start);
    while (!datePart.isEmpty() && (datePart.back().isSpace() || datePart.back() == u',' || datePart.back() == u'T'))
        datePart.chop(1);
    const QDate date = DateOf(datePart);
    const QTime time = TimeOf(line.sliced(start));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QStringList Candidates(const QString &folder, bool subfolders)
{
    const QDir dir(folder);
    const QString root = dir.absolutePath();
    QStringList names;
    QDirIterator it(root, {FileSearch::kPlainMask, FileSearch::kProtectedMask}, kEntryFilter,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        names << dir.relativeFilePath(it.next());
    std::sort(names.begin(), names.end(), NameLess);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : std::as_const(names))
        paths << dir.filePath(name);
    return paths;
}

std::optional<Entry> EntryOfLines(const QStringList &lines)
{
    Entry e;
    if (lines.isEmpty() || ParseMarkerLine(lines.first(), e.cast) != MarkerParse::Valid)
        return std::nullopt;
    // The question is the first "Otázka:" line; the header is the line after
    // the marker, unless the user removed it and the question stands there.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].startsWith(kQuestionTag)) {
            e.question = lines[i].mid(kQuestionTag.size()).trimmed();
            break;
        }
    }
    if (lines.size() > 1 && !lines[1].startsWith(kQuestionTag))
        e.header = lines[1];
    e.when = HeaderTime(e.header);
    e.hexagram = HexagramNumberOf(e.cast);
    if (!ChangingPositions(e.cast).isEmpty())
        e.developing = HexagramNumberOf(DevelopingLines(e.cast));
    return e;
}

FileResult ReadEntry(const QString &path, const QString &name, QByteArrayView stored, const QString &key)
{
    FileResult r;
    r.entry.path = path;
    r.entry.name = name;
    // As find in files reads it: only a name ending exactly in ".txt" is plain.
    r.entry.isProtected = !ConsultationFile::IsPlainName(path);
    if (r.entry.isProtected && key.isEmpty()) {
        r.outcome = Outcome::Locked;
        return r;
    }
    std::optional<QStringList> lines;
    if (!r.entry.isProtected) {
        // The header and the question open a consultation: decoding the whole
        // reading is most of the time a folder takes, so the head comes first.
        lines = ConsultationFile::ReadPlainLines(stored, kHeadLines);
        HexagramLines cast; // notes without a marker are no consultation, however long
        if (lines->size() == kHeadLines && !HasQuestionLine(*lines)
            && ParseMarkerLine(lines->first(), cast) == MarkerParse::Valid)
            lines = ConsultationFile::ReadPlainLines(stored);
    } else {
        lines = ConsultationFile::OpenedLines(path, stored, key);
    }
    if (!lines) {
        r.outcome = Outcome::Locked;
        return r;
    }
    std::optional<Entry> entry = EntryOfLines(*lines);
    if (!entry) {
        r.outcome = Outcome::NoMarker;
        return r;
    }
    entry->path = path;
    entry->name = name;
    entry->isProtected = r.entry.isProtected;
    r.entry = std::move(*entry);
    r.outcome = Outcome::Read;
    return r;
}

FileResult ReadFileEntry(const QString &folder, const QString &path, const QString &key)
{
    const QString name = RelativeName(folder, path);
    const std::optional<QByteArray> stored = FileSearch::ReadCandidateFile(path);
    if (!stored) {
        FileResult r;
        r.entry.path = path;
        r.entry.name = name;
        r.entry.isProtected = !ConsultationFile::IsPlainName(path);
        return r;
    }
    return ReadEntry(path, name, *stored, key);
}

QList<int> ChangingPositions(const HexagramLines &cast)
{
    QList<int> positions;
    for (int p = 1; p <= 6; ++p)
        if (IsChanging(cast[p]))
            positions << p;
    return positions;
}

ValueCounts CountValues(const QList<Entry> &entries)
{
    ValueCounts counts{};
    for (const Entry &e : entries)
        for (LineValue v : e.cast.values)
            if (IsCastValue(v))
                ++counts[v - 6];
    return counts;
}

std::array<int, 64> CountHexagrams(const QList<Entry> &entries)
{
    std::array<int, 64> counts{};
    for (const Entry &e : entries)
        if (e.hexagram >= 1 && e.hexagram <= 64)
            ++counts[e.hexagram - 1];
    return counts;
}

namespace {

const QString kTooFew = QStringLiteral(
    "Hodů je zatím příliš málo na to, aby se dalo říct, zda mince padají poctivě; "
    "spolehlivý úsudek dá až deset a více konzultací.");
const QString kFair = QStringLiteral(
    "Hody odpovídají poctivým mincím: odchylky od očekávaných počtů jsou tak malé, "
    "jaké běžně přináší sama náhoda.");
const QString kSlight = QStringLiteral(
    "Hody se od poctivých mincí mírně odchylují; může jít o náhodu, ale vyplatí se sledovat, "
    "zda odchylka s dalšími konzultacemi zmizí.");
const QString kClear = QStringLiteral(
    "Hody se od poctivých mincí zřetelně odchylují a náhoda to vysvětluje jen stěží, "
    "proto stojí za to prověřit mince nebo způsob házení.");

// The chance that a chi-square variable of three degrees of freedom is at
// least x; three degrees have this closed form.
double UpperTail3(double x)
{
    if (x <= 0)
        return 1;
    return std::erfc(std::sqrt(x / 2)) + std::sqrt(2 * x / std::numbers::pi) * std::exp(-x / 2);
}

} // namespace

Fairness FairnessOf(const ValueCounts &counts)
{
    Fairness f;
    for (qint64 c : counts)
        f.values += c;
    if (f.values > 0) {
        for (int i = 0; i < 4; ++i) {
            const double expected = double(f.values) * kFairShares[i];
            const double d = double(counts[i]) - expected;
            f.chi2 += d * d / expected;
        }
        f.p = UpperTail3(f.chi2);
    }
    if (f.values < kFewestValues)
        f.sentence = kTooFew;
    else if (f.p >= 0.05)
        f.sentence = kFair;
    else if (f.p >= 0.01)
        f.sentence = kSlight;
    else
        f.sentence = kClear;
    return f;
}

} // namespace Journal
