#pragma once
// What the benchmarks that run whole processes share: timing one run, the
// median of the rounds, and consultations made from the book's own texts.

#include "casting/Hexagram.h"
#include "reading/Corpus.h"
#include "tools/BookSearch.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

namespace Bench {

// Seconds of one process run to its end; negative when it failed to run.
inline double Timed(const QString &program, const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    const double seconds = t.nsecsElapsed() / 1e9;
    if (out)
        *out = p.readAllStandardOutput();
    return seconds;
}

inline double Median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

inline HexagramLines RandomCast(QRandomGenerator &rng)
{
    HexagramLines lines;
    for (int p = 1; p <= 6; ++p)
        lines[p] = quint8(6 + rng.bounded(4));
    return lines;
}

// A consultation of about targetBytes: marker, the header the program writes
// in Czech, a question, then readings of random hexagrams as casts append them.
inline QStringList MakeConsultation(const InterpretationCorpus &corpus, QRandomGenerator &rng, int targetBytes)
{
    QStringList doc{QStringLiteral("CHHEX:") + RandomCast(rng).digits(),
                    QStringLiteral("%1.12.26, 1%2:%3:%4")
                        .arg(1 + rng.bounded(28), 2, 10, QChar(u'0'))
                        .arg(rng.bounded(10))
                        .arg(rng.bounded(60), 2, 10, QChar(u'0'))
                        .arg(rng.bounded(60), 2, 10, QChar(u'0')),
                    QStringLiteral("Otázka: Jak naložit s věcí číslo %1?").arg(rng.generate())};
    qsizetype bytes = 0;
    while (bytes < targetBytes) {
        const QStringList text = ViewerText(corpus, FullReadingForm(RandomCast(rng))).split(u'\n');
        for (const QString &line : text) {
            if (bytes >= targetBytes)
                break;
            doc << line;
            bytes += line.size() + 2;
        }
    }
    return doc;
}

} // namespace Bench
