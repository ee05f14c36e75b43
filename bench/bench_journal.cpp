// Speed of `zendra-cli journal` over a folder of plain consultations against
// `grep -c CHHEX: -r` over the same files, each timed as a whole process in
// the same run. Both read every byte of every file and print a line per
// file; the journal also decodes the text, parses the marker, the header
// and the question, and sorts the names.
//
// The consultations are 2 to 20 KB, made from the book's own texts, with
// the header the program writes in Czech.
//
//   bench_journal [COUNT=5000] [ROUNDS=5]

#include "BenchSupport.h"
#include "casting/Hexagram.h"
#include "files/ConsultationFile.h"
#include "reading/Corpus.h"
#include "tools/BookSearch.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

using namespace Bench;

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const QString cli = QStringLiteral(ZENDRA_CLI);
    const InterpretationCorpus &corpus = InterpretationCorpus::Embedded();
    QTemporaryDir root;
    const QDir dir(root.path());

    QRandomGenerator rng(2026);
    qint64 totalBytes = 0;
    for (int i = 0; i < count; ++i) {
        const QByteArray form =
            ConsultationFile::TextForm(MakeConsultation(corpus, rng, 2048 + int(rng.bounded(18 * 1024))));
        QFile f(dir.filePath(QStringLiteral("konzultace%1.txt").arg(i, 5, 10, QChar(u'0'))));
        if (!f.open(QIODevice::WriteOnly) || f.write(form) != form.size()) {
            std::printf("cannot write the consultations\n");
            return 1;
        }
        totalBytes += form.size();
    }

    QList<double> ours, grepT;
    QByteArray listed, counted;
    for (int round = 0; round < rounds; ++round) {
        ours << Timed(cli, {u"journal"_s, root.path()}, &listed);
        grepT << Timed(u"grep"_s, {u"-c"_s, u"-r"_s, u"--"_s, u"CHHEX:"_s, root.path()}, &counted);
    }
    if (std::any_of(ours.begin(), ours.end(), [](double s) { return s < 0; })
        || std::any_of(grepT.begin(), grepT.end(), [](double s) { return s < 0; })) {
        std::printf("a command failed to run\n");
        return 1;
    }
    if (listed.count('\n') != count || counted.count('\n') != count) {
        std::printf("wrong result: %lld journal lines, %lld grep lines for %d files\n",
                    qint64(listed.count('\n')), qint64(counted.count('\n')), count);
        return 1;
    }

    const double o = Median(ours), g = Median(grepT);
    std::printf("journal: %d plain consultations, %.1f MB\n", count, totalBytes / 1e6);
    std::printf("  medians of %d rounds, whole processes, seconds\n", rounds);
    std::printf("  zendra-cli journal            %8.3f\n", o);
    std::printf("  grep -c CHHEX: -r             %8.3f   ratio ours/grep %.2f\n", g, o / g);
    return 0;
}
