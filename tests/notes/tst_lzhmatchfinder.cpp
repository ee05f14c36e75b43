// The compressor's Patricia-trie match finder against a brute-force search
// of the same window: at every position the match must be the longest one
// among the 8191 strings before it (at most 256 bytes), and must really
// repeat there. The walk moves the window as the compressor does, so the
// trie's modulo positions, removals and node reuse are all exercised.

#include "LzhSamples.h"
#include "notes/LzhMatchFinder.h"
#include <QTest>
#include <memory>

using lzh::kDictionaryBytes;
using lzh::kMaxMatch;
using lzh::PatriciaMatchFinder;

namespace {

int CommonLength(const std::uint8_t *a, const std::uint8_t *b)
{
    int n = 0;
    while (n < kMaxMatch && a[n] == b[n])
        ++n;
    return n;
}

} // namespace

class TestLzhMatchFinder : public QObject {
    Q_OBJECT
private slots:
    void longestMatchAtEveryPosition_data();
    void longestMatchAtEveryPosition();
};

void TestLzhMatchFinder::longestMatchAtEveryPosition_data()
{
    using namespace LzhSamples;
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("text") << Text(40000, 21);
    QTest::newRow("random") << Random(30000, 22);
    QTest::newRow("random with repeats") << RepeatedBlock(30000, 7000, 23) + Random(2000, 24) + Text(9000, 25);
    QTest::newRow("runs") << QByteArray(9000, 'a') + Text(3000, 26) + QByteArray(20000, '\0') + Text(6000, 27);
    QTest::newRow("periods") << Periodic(12000, "ab") + Periodic(12000, "abcabd") + Periodic(12000, "xyz") + Text(4000, 28);
    QTest::newRow("mixed") << Mixed(60000, 29);
}

void TestLzhMatchFinder::longestMatchAtEveryPosition()
{
    QFETCH(QByteArray, input);
    const auto *data = reinterpret_cast<const std::uint8_t *>(input.constData());
    auto finder = std::make_unique<PatriciaMatchFinder>();
    std::uint8_t *text = finder->Text();
    qsizetype read = qMin<qsizetype>(input.size(), kDictionaryBytes + kMaxMatch);
    memcpy(text + kDictionaryBytes, data, size_t(read));

    // Positions whose 256 bytes of look-ahead are all input.
    const qsizetype checked = input.size() - kMaxMatch;
    int position = kDictionaryBytes;
    int moves = 0;
    for (qsizetype at = 0; at < checked; ++at) {
        if (at == 0) {
            finder->Insert(position);
        } else {
            if (++position == 2 * kDictionaryBytes) {
                memmove(text, text + kDictionaryBytes, kDictionaryBytes + kMaxMatch);
                const qsizetype n = qMin<qsizetype>(input.size() - read, kDictionaryBytes);
                memcpy(text + kDictionaryBytes + kMaxMatch, data + read, size_t(n));
                read += n;
                position = kDictionaryBytes;
                ++moves;
            }
            finder->Step(position);
        }
        int best = 0;
        const int reach = int(qMin<qsizetype>(at, kDictionaryBytes - 1)); // strings inserted so far
        for (int distance = 1; distance <= reach && best < kMaxMatch; ++distance)
            best = qMax(best, CommonLength(text + position, text + position - distance));
        const int length = finder->MatchLength();
        if (length != qMax(best, 1))
            QFAIL(qPrintable(QStringLiteral("at %1: found %2, longest %3").arg(at).arg(length).arg(best)));
        if (length >= 2) {
            const int from = finder->MatchPosition();
            QVERIFY(from < position && position - from < kDictionaryBytes);
            QVERIFY(CommonLength(text + position, text + from) >= length);
        }
    }
    QVERIFY(moves >= 1);
}

QTEST_GUILESS_MAIN(TestLzhMatchFinder)
#include "tst_lzhmatchfinder.moc"
