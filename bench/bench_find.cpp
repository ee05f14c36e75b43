// Speed of the two searches from the command line against the tools a user
// would reach for, in the same run, each timed as whole processes.
//
// find-files: COUNT consultations of 2 to 20 KB made from the book's own
// texts, half of them protected under one password, the phrase only in the
// last file the search meets. The peers: grep -F -r over the plain texts of
// all of them, plus openssl enc -d -bf-ecb of the protected half, one process
// per file as a shell loop runs it. openssl reads block halves big-endian, so
// it is given copies with each half's bytes reversed: the same work. A second
// peer figure decrypts the protected half as one stream, the cipher's bare
// speed with no process per file.
//
// find-book: a phrase in no hexagram, against grep -F over the 64 viewer
// texts written to files.
//
//   bench_find [COUNT=5000] [ROUNDS=3]

#include "BenchSupport.h"
#include "casting/Hexagram.h"
#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include "reading/Corpus.h"
#include "tools/BookSearch.h"
#include "tools/FileSearch.h"
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

namespace {

const QString kPassword = QStringLiteral("zendra-heslo-16b"); // 16 bytes: openssl's bf key length
const QString kPhrase = QStringLiteral("kapr z rybnika Svet");
const QString kAbsentPhrase = QStringLiteral("zlaty kapr z rybnika Svet");

QByteArray HalvesReversed(QByteArray data)
{
    for (qsizetype at = 0; at + 4 <= data.size(); at += 4)
        std::reverse(data.begin() + at, data.begin() + at + 4);
    return data;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const QString cli = QStringLiteral(ZENDRA_CLI);
    const InterpretationCorpus &corpus = InterpretationCorpus::Embedded();
    QTemporaryDir root;
    const QDir r(root.path());
    for (const char *d : {"cons", "peer-plain", "peer-cipher", "book"})
        r.mkdir(QString::fromLatin1(d));
    const QString cons = r.filePath(u"cons"_s), peerPlain = r.filePath(u"peer-plain"_s),
                  peerCipher = r.filePath(u"peer-cipher"_s), book = r.filePath(u"book"_s);

    // The consultations, and the peers' copies of them.
    QRandomGenerator rng(2026);
    QList<QStringList> docs;
    qint64 totalBytes = 0;
    for (int i = 0; i < count; ++i)
        docs << MakeConsultation(corpus, rng, 2048 + int(rng.bounded(18 * 1024)));
    auto nameOf = [](int i) { return QStringLiteral("konzultace%1.%2").arg(i, 5, 10, QChar(u'0')).arg(i % 2 ? u"txg"_s : u"txt"_s); };
    auto writeAll = [&](int i) {
        const QByteArray form = ConsultationFile::TextForm(docs[i]);
        const QString name = nameOf(i);
        const QByteArray stored = i % 2 ? EncryptConsultation(form, kPassword) : form;
        bool ok = Write(QDir(cons).filePath(name), stored) && Write(QDir(peerPlain).filePath(name), form);
        if (i % 2)
            ok = ok && Write(QDir(peerCipher).filePath(name), HalvesReversed(stored));
        return ok ? stored.size() : -1;
    };
    for (int i = 0; i < count; ++i)
        writeAll(i);
    // The phrase goes into the last file the search meets.
    const QStringList order = FileSearch::Entries(cons);
    const QString last = order.last();
    const int lastIndex = QStringView(last).mid(10, 5).toInt();
    docs[lastIndex].insert(docs[lastIndex].size() - 3, QStringLiteral("Ve snu se mi zjevil %1.").arg(kPhrase));
    if (writeAll(lastIndex) < 0) {
        std::printf("cannot write the consultations\n");
        return 1;
    }
    QByteArray stream;
    for (int i = 0; i < count; ++i) {
        QFile f(QDir(cons).filePath(nameOf(i)));
        f.open(QIODevice::ReadOnly);
        const QByteArray b = f.readAll();
        totalBytes += b.size();
        if (i % 2)
            stream += HalvesReversed(b);
    }
    const QString streamPath = r.filePath(u"stream.bin"_s);
    Write(streamPath, stream);
    for (int step = 1; step <= 64; ++step) {
        const HexagramLines lines = SearchOrderStep(step);
        Write(QDir(book).filePath(QStringLiteral("hex%1.txt").arg(HexagramNumberOf(lines), 2, 10, QChar(u'0'))),
              ViewerText(corpus, lines).toUtf8());
    }

    const QString keyHex = QString::fromLatin1(kPassword.toLatin1().toHex());
    const QString opensslLoop = QStringLiteral(
        "for f in \"$1\"/*; do openssl enc -d -bf-ecb -nopad -K %1 -provider legacy -provider default "
        "-in \"$f\" -out /dev/null || exit 1; done").arg(keyHex);
    QList<double> ours, grepT, loopT, streamT, bookOurs, bookGrep;
    QByteArray found, bookFound;
    for (int round = 0; round < rounds; ++round) {
        ours << Timed(cli, {u"find-files"_s, cons, kPhrase, u"--password"_s, kPassword}, &found);
        grepT << Timed(u"grep"_s, {u"-F"_s, u"-r"_s, u"-l"_s, u"--"_s, kPhrase, peerPlain});
        loopT << Timed(u"sh"_s, {u"-c"_s, opensslLoop, u"sh"_s, peerCipher});
        streamT << Timed(u"openssl"_s, {u"enc"_s, u"-d"_s, u"-bf-ecb"_s, u"-nopad"_s, u"-K"_s, keyHex,
                                         u"-provider"_s, u"legacy"_s, u"-provider"_s, u"default"_s, u"-in"_s,
                                         streamPath, u"-out"_s, u"/dev/null"_s});
    }
    for (int round = 0; round < 5 * rounds; ++round) {
        bookOurs << Timed(cli, {u"find-book"_s, kAbsentPhrase}, &bookFound);
        bookGrep << Timed(u"grep"_s, {u"-F"_s, u"-r"_s, u"-l"_s, u"--"_s, kAbsentPhrase, book});
    }
    for (const QList<double> *l : {&ours, &grepT, &loopT, &streamT, &bookOurs, &bookGrep}) {
        if (std::any_of(l->begin(), l->end(), [](double s) { return s < 0; })) {
            std::printf("a command failed to run (is openssl with its legacy provider there?)\n");
            return 1;
        }
    }
    const QByteArray expected = (last + QStringLiteral(" ")).toUtf8();
    if (!found.startsWith(expected) || found.count('\n') != 1 || !bookFound.isEmpty()) {
        std::printf("wrong result: %s / %s\n", found.constData(), bookFound.constData());
        return 1;
    }

    const double o = Median(ours), g = Median(grepT), l = Median(loopT), s = Median(streamT);
    std::printf("find-files: %d consultations, %.1f MB, half protected; phrase only in %s (the last searched)\n",
                count, totalBytes / 1e6, qPrintable(last));
    std::printf("  medians of %d rounds, whole processes, seconds\n", rounds);
    std::printf("  zendra-cli find-files         %8.3f\n", o);
    std::printf("  grep -F -r (plain texts)      %8.3f\n", g);
    std::printf("  openssl -d, one per file      %8.3f\n", l);
    std::printf("  openssl -d, one stream        %8.3f\n", s);
    std::printf("  peers' total (grep + per file) %7.3f   ratio ours/peers %.2f\n", g + l, o / (g + l));
    std::printf("  peers' bare (grep + stream)    %7.3f   ratio ours/peers %.2f\n", g + s, o / (g + s));
    const double bo = Median(bookOurs), bg = Median(bookGrep);
    std::printf("find-book: phrase in no hexagram, medians of %d rounds, seconds\n", 5 * rounds);
    std::printf("  zendra-cli find-book          %8.4f\n", bo);
    std::printf("  grep -F -r (64 viewer texts)  %8.4f   ratio ours/grep %.2f\n", bg, bo / bg);
    return 0;
}
