// Compression and expansion speed and compressed size of the lh5 coder, side
// by side in one run with the independent programs of the lh5 oracle (jlha
// encodes, lhasa and jlha decode) and with gzip -6, on a text and a binary
// mix of about 20 MB each.
//
// The peers run as processes from file to file, so their times include
// starting up (a Java VM for jlha), the archive wrapping and the file I/O.
// Ours is shown both in memory and from file to file through the device
// interface, and the ratios use the file-to-file figures. The whole
// lh5-oracle compress command is timed as well, since it is the oracle's
// encoder as the tests use it. The original trie match finder, which the
// compressor's own must match byte for byte, runs in the same run too, as
// the figure to beat.
//
//   bench_lzh [MB=20]
//   bench_lzh profile [MB=20] [trie]   compresses the text only, three times,
//                                      for a profiler (with the trie finder)

#include "notes/Lzh.h"
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace {

// Beside the source tree, as the tests find it (or in ZENDRA_SHARED).
QString OraclePath()
{
    const QString shared = qEnvironmentVariable(
        "ZENDRA_SHARED", QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../shared"));
    return shared + QStringLiteral("/tools/lh5-oracle");
}

QByteArray FilesUnder(const QStringList &roots, const QStringList &patterns, qsizetype want)
{
    QStringList paths;
    for (const QString &root : roots) {
        QDirIterator it(root, patterns, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next();
    }
    std::sort(paths.begin(), paths.end());
    QByteArray out;
    for (const QString &p : std::as_const(paths)) {
        QFile f(p);
        if (f.open(QIODevice::ReadOnly))
            out += f.read(want - out.size());
        if (out.size() >= want)
            break;
    }
    return out;
}

QByteArray RandomBytes(qsizetype size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    QRandomGenerator rng(seed);
    for (char &c : out)
        c = char(rng.bounded(256));
    return out;
}

// Pseudo text, for machines without enough text files.
QByteArray GeneratedText(qsizetype size)
{
    static const char *const words[] = {"the", "of", "and", "hexagram", "line", "changing", "heaven", "earth",
                                        "water", "fire", "perseverance", "furthers", "no", "blame", "great",
                                        "it", "is", "to", "cross", "river", "superior", "man", "small"};
    QRandomGenerator rng(7);
    QByteArray out;
    while (out.size() < size) {
        out += words[std::min(rng.bounded(23), rng.bounded(23))];
        out += rng.bounded(10) == 0 ? ".\n" : " ";
    }
    out.truncate(size);
    return out;
}

QByteArray TextData(qsizetype size)
{
    QByteArray out = FilesUnder({QStringLiteral("/usr/share/doc"), QStringLiteral("/usr/include")},
                                {QStringLiteral("*.txt"), QStringLiteral("*.h"), QStringLiteral("README*"),
                                 QStringLiteral("*.html"), QStringLiteral("copyright")},
                                size);
    if (out.size() < size)
        out += GeneratedText(size - out.size());
    return out;
}

QByteArray BinaryData(qsizetype size)
{
    QByteArray out = FilesUnder({QStringLiteral("/usr/lib/x86_64-linux-gnu"), QStringLiteral("/usr/bin")},
                                {QStringLiteral("*.so*"), QStringLiteral("*")}, size * 7 / 10);
    out += RandomBytes(size / 10, 11);
    out += QByteArray(size / 10, '\0');
    out += TextData(size - out.size());
    return out;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// CPU seconds (user and system) of the last Time() or Best(), the best of
// Best()'s runs, beside its wall-clock figure: on a machine shared with
// other work the wall clock also counts the time spent waiting for a core,
// which a Java VM with its helper threads feels more than we do.
double g_cpu = 0;

double CpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Seconds a process takes, or a negative value when it fails.
double Time(const QString &program, const QStringList &args, const QString &workDir = QString(),
            const QString &stdoutFile = QString())
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    else
        p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    const double wall = t.nsecsElapsed() / 1e9;
    g_cpu = CpuSeconds(RUSAGE_CHILDREN) - cpu;
    return wall;
}

template <typename F>
double Best(int runs, F f)
{
    double best = 1e30, bestCpu = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double cpu = CpuSeconds(RUSAGE_SELF);
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e9);
        bestCpu = std::min(bestCpu, CpuSeconds(RUSAGE_SELF) - cpu);
    }
    g_cpu = bestCpu;
    return best;
}

struct Row {
    const char *name;
    qint64 size;      // compressed bytes, 0 when not applicable
    double compress;  // seconds, < 0 when not run
    double expand;
};

void PrintRow(const Row &r, qint64 original)
{
    const double mb = original / 1e6;
    std::printf("  %-34s", r.name);
    if (r.size > 0)
        std::printf(" %10lld %6.2f%%", (long long)r.size, 100.0 * r.size / original);
    else
        std::printf(" %10s %7s", "", "");
    if (r.compress > 0)
        std::printf(" %8.3f s %7.1f MB/s", r.compress, mb / r.compress);
    else
        std::printf(" %22s", "");
    if (r.expand > 0)
        std::printf(" %8.3f s %7.1f MB/s", r.expand, mb / r.expand);
    std::printf("\n");
}

void Bench(const char *label, const QByteArray &data, const QTemporaryDir &dir, bool havePeers)
{
    const QString original = dir.filePath(QStringLiteral("member"));
    const QString ours = dir.filePath(QStringLiteral("ours.raw")), back = dir.filePath(QStringLiteral("back"));
    WriteFile(original, data);

    QByteArray stream;
    QByteArray expanded;
    QByteArray trieStream;
    const double trieCompress = Best(3, [&] { trieStream = LzhCompressBytesWithTrie(data); });
    const double trieCompressCpu = g_cpu;
    const double memCompress = Best(3, [&] { stream = LzhCompressBytes(data); });
    const double memCompressCpu = g_cpu;
    if (trieStream != stream) {
        std::printf("%s: the two match finders' streams DIFFER\n", label);
        std::exit(1);
    }
    const double memExpand = Best(5, [&] { expanded = LzhExpandBytes(stream); });
    if (expanded != data) {
        std::printf("%s: our round trip FAILED\n", label);
        std::exit(1);
    }
    const double fileCompress = Best(3, [&] {
        QFile in(original);
        QSaveFile out(ours);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        LzhCompress(in, out);
        out.commit();
    });
    const double fileCompressCpu = g_cpu;
    const double fileExpand = Best(5, [&] {
        QFile in(ours);
        QSaveFile out(back);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        LzhExpand(in, out);
        out.commit();
    });
    const double fileExpandCpu = g_cpu;

    std::printf("\n%s: %lld bytes\n", label, (long long)data.size());
    std::printf("  %-34s %10s %7s %22s %22s\n", "", "size", "", "compression", "expansion");
    PrintRow({"ours, in memory", stream.size(), memCompress, memExpand}, data.size());
    PrintRow({"ours, file to file", stream.size(), fileCompress, fileExpand}, data.size());
    PrintRow({"trie finder, in memory", trieStream.size(), trieCompress, -1}, data.size());
    std::printf("  compression speed, ours / with the trie finder (in memory): %.2f, in CPU time %.2f; streams "
                "identical\n",
                trieCompress / memCompress, trieCompressCpu / memCompressCpu);
    if (!havePeers) {
        std::printf("  (lh5 oracle, lhasa or jlha missing: peers not run)\n");
        return;
    }

    // The oracle's encoder: jlha alone, and the whole oracle command.
    const QString jdir = dir.filePath(QStringLiteral("jlha"));
    QDir(jdir).removeRecursively();
    QDir().mkpath(jdir);
    QFile::copy(original, jdir + QStringLiteral("/member"));
    const double jlhaCompress = Time(QStringLiteral("jlha"), {QStringLiteral("co5"), QStringLiteral("out.lzh"),
                                                              QStringLiteral("member")}, jdir);
    const double jlhaCompressCpu = g_cpu;
    const QString theirs = dir.filePath(QStringLiteral("theirs.raw"));
    const double oracleCompress = Time(QStringLiteral("python3"), {OraclePath(), QStringLiteral("compress"), original, theirs});
    const qint64 theirSize = ReadFile(theirs).size();

    // The peer decoders, each extracting the wrapped archive of our stream.
    const QString archive = dir.filePath(QStringLiteral("ours.lzh"));
    const bool checked = Time(QStringLiteral("python3"), {OraclePath(), QStringLiteral("expand"), ours, original,
                                                          QStringLiteral("--strict"), QStringLiteral("--archive"),
                                                          archive}) >= 0;
    auto extract = [&](const QString &program) {
        const QString x = dir.filePath(QStringLiteral("x-") + program);
        QDir(x).removeRecursively();
        QDir().mkpath(x);
        const double s = Time(program, {QStringLiteral("xf"), archive}, x);
        return ReadFile(x + QStringLiteral("/data.bin")) == data ? s : -1.0; // the oracle names the member so
    };
    const double lhasaExpand = extract(QStringLiteral("lhasa"));
    const double lhasaExpandCpu = g_cpu;
    const double jlhaExpand = extract(QStringLiteral("jlha"));
    const double jlhaExpandCpu = g_cpu;

    const QString gz = dir.filePath(QStringLiteral("member.gz"));
    const double gzipCompress = Time(QStringLiteral("gzip"), {QStringLiteral("-6"), QStringLiteral("-c"), original},
                                     QString(), gz);
    const double gzipExpand = Time(QStringLiteral("gzip"), {QStringLiteral("-d"), QStringLiteral("-c"), gz}, QString(),
                                   dir.filePath(QStringLiteral("gunzipped")));
    const qint64 gzSize = ReadFile(gz).size();

    PrintRow({"jlha co5 (the oracle's encoder)", theirSize, jlhaCompress, jlhaExpand}, data.size());
    PrintRow({"lh5-oracle compress (whole tool)", 0, oracleCompress, -1}, data.size());
    PrintRow({"lhasa (decoder)", 0, -1, lhasaExpand}, data.size());
    PrintRow({"gzip -6", gzSize, gzipCompress, gzipExpand}, data.size());
    std::printf("  both oracle decoders read our stream: %s\n", checked ? "yes" : "NO");
    std::printf("  compression speed, ours (file to file) / jlha: %.2f (aim 3); / lh5-oracle compress: %.2f\n",
                jlhaCompress / fileCompress, oracleCompress / fileCompress);
    std::printf("  compression speed in memory / jlha: ours %.2f, with the trie finder %.2f\n",
                jlhaCompress / memCompress, jlhaCompress / trieCompress);
    std::printf("  size, ours / jlha: %.4f (%+.2f%%)\n", double(stream.size()) / theirSize,
                100.0 * (double(stream.size()) / theirSize - 1));
    std::printf("  expansion speed, ours (file to file) / lhasa: %.1f; / jlha: %.1f\n", lhasaExpand / fileExpand,
                jlhaExpand / fileExpand);
    std::printf("  CPU seconds, compression: ours %.3f (file to file), %.3f (in memory), with the trie finder %.3f "
                "(in memory), jlha %.3f\n",
                fileCompressCpu, memCompressCpu, trieCompressCpu, jlhaCompressCpu);
    std::printf("  compression speed in CPU time, ours (file to file) / jlha: %.2f (aim 3); with the trie finder "
                "(in memory) / jlha: %.2f\n",
                jlhaCompressCpu / fileCompressCpu, jlhaCompressCpu / trieCompressCpu);
    std::printf("  CPU seconds, expansion: ours %.3f (file to file), lhasa %.3f, jlha %.3f\n", fileExpandCpu,
                lhasaExpandCpu, jlhaExpandCpu);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "profile") == 0) {
        const QByteArray text = TextData(qsizetype(argc > 2 ? std::atoi(argv[2]) : 20) * 1000 * 1000);
        const bool trie = argc > 3 && std::strcmp(argv[3], "trie") == 0;
        qsizetype total = 0;
        for (int i = 0; i < 3; ++i)
            total += (trie ? LzhCompressBytesWithTrie(text) : LzhCompressBytes(text)).size();
        std::printf("compressed %lld bytes three times: %lld\n", (long long)text.size(), (long long)total);
        return 0;
    }
    const qsizetype size = qsizetype(argc > 1 ? std::atoi(argv[1]) : 20) * 1000 * 1000;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    bool havePeers = QFile::exists(OraclePath());
    for (const char *program : {"python3", "lhasa", "jlha", "gzip"})
        havePeers = havePeers && !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
    Bench("text", TextData(size), dir, havePeers);
    Bench("binary mix", BinaryData(size), dir, havePeers);
    return 0;
}
