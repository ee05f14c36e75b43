// Speed of the file cipher against openssl's bf-ecb on the same data, in the
// same run. openssl reads block halves big-endian, so it is fed the data with
// each half's bytes reversed and its output is reversed back; the two results
// must agree byte for byte. openssl works from file to file; its time
// includes starting the process and the file I/O.
//
//   bench_cipher [MiB=32]

#include "files/FileCipher.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray HalvesReversed(QByteArray data)
{
    for (qsizetype at = 0; at + 4 <= data.size(); at += 4)
        std::reverse(data.begin() + at, data.begin() + at + 4);
    return data;
}

} // namespace

int main(int argc, char **argv)
{
    const qsizetype mib = argc > 1 ? std::atoi(argv[1]) : 32;
    QByteArray data(mib << 20, Qt::Uninitialized);
    QRandomGenerator rng(2026);
    rng.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
    const QByteArray key = QByteArray::fromHex("00112233445566778899AABBCCDDEEFF");

    QByteArray ours = data;
    ours.detach();
    QElapsedTimer timer;
    timer.start();
    FileCipher cipher;
    if (!cipher.CipherSetKey(key))
        return 1;
    cipher.EncryptBlocks(ours.data(), ours.size());
    const double oursSeconds = timer.nsecsElapsed() / 1e9;

    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in")), out = dir.filePath(QStringLiteral("out")),
                  empty = dir.filePath(QStringLiteral("empty"));
    QFile f(in);
    if (!f.open(QIODevice::WriteOnly) || f.write(HalvesReversed(data)) != data.size())
        return 1;
    f.close();
    QFile(empty).open(QIODevice::WriteOnly);

    // Seconds for openssl to encrypt the file, or a negative value on failure.
    auto runOpenssl = [&](const QString &from) {
        QElapsedTimer t;
        t.start();
        const int rc = QProcess::execute(
            QStringLiteral("openssl"),
            {QStringLiteral("enc"), QStringLiteral("-bf-ecb"), QStringLiteral("-nopad"), QStringLiteral("-K"),
             QString::fromLatin1(key.toHex()), QStringLiteral("-provider"), QStringLiteral("legacy"),
             QStringLiteral("-provider"), QStringLiteral("default"), QStringLiteral("-in"), from,
             QStringLiteral("-out"), out});
        return rc == 0 ? t.nsecsElapsed() / 1e9 : -1.0;
    };
    const double startSeconds = runOpenssl(empty);
    const double theirSeconds = runOpenssl(in);
    if (startSeconds < 0 || theirSeconds < 0) {
        std::printf("openssl enc -bf-ecb failed\n");
        return 1;
    }
    QFile o(out);
    o.open(QIODevice::ReadOnly);
    const QByteArray theirs = HalvesReversed(o.readAll());

    const double oursRate = mib / oursSeconds, theirRate = mib / theirSeconds;
    std::printf("data:      %lld MiB, 16-byte key\n", (long long)mib);
    std::printf("FileCipher %8.1f MiB/s (%.3f s)\n", oursRate, oursSeconds);
    std::printf("openssl    %8.1f MiB/s (%.3f s; an empty run takes %.3f s)\n", theirRate, theirSeconds,
                startSeconds);
    std::printf("ratio      %8.2f (ours / openssl)\n", oursRate / theirRate);
    std::printf("outputs    %s\n", ours == theirs ? "identical" : "DIFFER");
    return ours == theirs ? 0 : 1;
}
