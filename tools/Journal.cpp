// Temporary stand-in for the journal logic while it is written on its own
// branch; replaced by that implementation when it is merged.
#include "tools/Journal.h"
#include "files/ConsultationFile.h"
#include "files/SaveTarget.h"
#include "reading/MarkerLine.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <cmath>

namespace Journal {

QStringList Candidates(const QString &folder, bool subfolders)
{
    QStringList out;
    QDirIterator it(folder, {QStringLiteral("*.txt"), QStringLiteral("*.txg")}, QDir::Files,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        out << it.next();
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<Entry> EntryOfLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return std::nullopt;
    Entry e;
    if (ParseMarkerLine(lines[0], e.cast) != MarkerParse::Valid)
        return std::nullopt;
    e.header = lines.value(1).trimmed();
    for (const QString &fmt : {QStringLiteral("d.M.yyyy, H:mm:ss"), QStringLiteral("dd.MM.yyyy, H:mm:ss")}) {
        e.when = QDateTime::fromString(e.header, fmt);
        if (e.when.isValid())
            break;
    }
    for (const QString &l : lines)
        if (l.startsWith(QStringLiteral("Otázka: "))) {
            e.question = l.mid(8).trimmed();
            break;
        }
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
    r.entry.isProtected = !ConsultationFile::IsPlainName(path);
    QStringList lines;
    if (r.entry.isProtected) {
        if (key.isEmpty()) {
            r.outcome = Outcome::Locked;
            return r;
        }
        auto opened = ConsultationFile::OpenedLines(path, stored, key);
        if (!opened) {
            r.outcome = Outcome::Locked;
            return r;
        }
        lines = *opened;
    } else {
        lines = ConsultationFile::ReadPlainLines(stored);
    }
    auto e = EntryOfLines(lines);
    if (!e) {
        r.outcome = Outcome::NoMarker;
        return r;
    }
    e->path = path;
    e->name = name;
    e->isProtected = r.entry.isProtected;
    r.entry = *e;
    r.outcome = Outcome::Read;
    return r;
}

FileResult ReadFileEntry(const QString &folder, const QString &path, const QString &key)
{
    const QString name = QDir(folder).relativeFilePath(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        FileResult r;
        r.entry.path = path;
        r.entry.name = name;
        r.entry.isProtected = !ConsultationFile::IsPlainName(path);
        return r;
    }
    return ReadEntry(path, name, f.readAll(), key);
}

QList<int> ChangingPositions(const HexagramLines &cast)
{
    QList<int> out;
    for (int p = 1; p <= 6; ++p)
        if (IsChanging(cast[p]))
            out << p;
    return out;
}

ValueCounts CountValues(const QList<Entry> &entries)
{
    ValueCounts c{};
    for (const Entry &e : entries)
        for (int p = 1; p <= 6; ++p)
            if (IsCastValue(e.cast[p]))
                ++c[e.cast[p] - 6];
    return c;
}

std::array<int, 64> CountHexagrams(const QList<Entry> &entries)
{
    std::array<int, 64> c{};
    for (const Entry &e : entries)
        if (e.hexagram >= 1 && e.hexagram <= 64)
            ++c[e.hexagram - 1];
    return c;
}

Fairness FairnessOf(const ValueCounts &counts)
{
    Fairness f;
    for (qint64 c : counts)
        f.values += c;
    if (f.values == 0) {
        f.sentence = QStringLiteral("Zatím žádné hody.");
        return f;
    }
    for (int i = 0; i < 4; ++i) {
        const double e = f.values * kFairShares[i];
        f.chi2 += (counts[i] - e) * (counts[i] - e) / e;
    }
    // Survival function of chi-square with 3 degrees of freedom.
    const double x = f.chi2;
    f.p = std::erfc(std::sqrt(x / 2)) + std::sqrt(2 * x / M_PI) * std::exp(-x / 2);
    if (f.values < kFewestValues)
        f.sentence = QStringLiteral("Hodů je zatím příliš málo, aby se dalo něco říci.");
    else if (f.p < 0.01)
        f.sentence = QStringLiteral("Hody se od poctivých mincí liší víc, než by způsobila náhoda.");
    else
        f.sentence = QStringLiteral("Hody odpovídají poctivým mincím.");
    return f;
}

} // namespace Journal
