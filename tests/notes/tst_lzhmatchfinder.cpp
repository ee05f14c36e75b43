// The compressor's match finders. Each against a brute-force search of the
// same window: at every position the match must be the longest one among
// the 8191 strings before it (at most 256 bytes), and must really repeat
// there. The walk moves the window as the compressor does, so the trie's
// modulo positions, removals and node reuse are all exercised.
//
// Which of several equally long strings a match names is the original
// trie's own doing, so the faster finder is held to the original's streams
// byte for byte, on inputs that cross every window and block limit.

#include "LzhSamples.h"
#include "notes/Lzh.h"
#include "notes/LzhFastMatchFinder.h"
#include "notes/LzhMatchFinder.h"
#include <QTest>
#include <memory>

using lzh::kDictionaryBytes;
using lzh::kMaxMatch;

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
    void sameStreamAsTrie_data();
    void sameStreamAsTrie();
};

void TestLzhMatchFinder::longestMatchAtEveryPosition_data()
{
    using namespace LzhSamples;
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("fast");
    const std::pair<const char *, QByteArray> rows[] = {
        {"text", Text(40000, 21)},
        {"random", Random(30000, 22)},
        {"random with repeats", RepeatedBlock(30000, 7000, 23) + Random(2000, 24) + Text(9000, 25)},
        {"runs", QByteArray(9000, 'a') + Text(3000, 26) + QByteArray(20000, '\0') + Text(6000, 27)},
        {"periods", Periodic(12000, "ab") + Periodic(12000, "abcabd") + Periodic(12000, "xyz") + Text(4000, 28)},
        {"mixed", Mixed(60000, 29)},
    };
    for (const auto &[name, input] : rows) {
        QTest::addRow("trie, %s", name) << input << false;
        QTest::addRow("fast, %s", name) << input << true;
    }
}

template <class Finder>
static void CheckLongestMatches(const QByteArray &input)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(input.constData());
    auto finder = std::make_unique<Finder>();
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

void TestLzhMatchFinder::longestMatchAtEveryPosition()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, fast);
    if (fast)
        CheckLongestMatches<lzh::FastMatchFinder>(input);
    else
        CheckLongestMatches<lzh::PatriciaMatchFinder>(input);
}

void TestLzhMatchFinder::sameStreamAsTrie_data()
{
    using namespace LzhSamples;
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("x");
    QTest::newRow("three bytes") << QByteArray("xxx");
    for (const auto &[name, input] : Boundaries())
        QTest::newRow(name) << input;
    // One byte repeated: the longest matches all the way, clamped at the end.
    for (int size : {4, 259, 260, 8192, 8448, 16384, 16385, 16640, 16641, 40000})
        QTest::addRow("run of %d", size) << QByteArray(size, 'a');
    // Every period up to 300, long enough to cross the first window move.
    QByteArray pattern = Random(300, 31);
    for (int period = 2; period <= 300; ++period)
        QTest::addRow("period %d", period) << Periodic(17000 + period, pattern.left(period));
    // Incompressible data fills a block with literals only: 1818 groups of
    // eight reach 16360 bytes of the block buffer.
    for (int size = 14536; size <= 14552; size += 2)
        QTest::addRow("random %d", size) << Random(size, 32);
    QTest::newRow("text, several windows") << Text(100000, 33);
    QTest::newRow("text ending in a long match") << Text(20000, 34) + Text(20000, 34).left(9000);
    QTest::newRow("block repeated across windows") << RepeatedBlock(60000, 8191, 35) + RepeatedBlock(30000, 8192, 36);
    QTest::newRow("all byte values") << AllByteValues(200);
    QTest::newRow("mixed text and binary") << Mixed(200000, 37);
}

void TestLzhMatchFinder::sameStreamAsTrie()
{
    QFETCH(QByteArray, input);
    const QByteArray fast = LzhCompressBytes(input);
    const QByteArray trie = LzhCompressBytesWithTrie(input);
    qsizetype at = 0;
    while (at < fast.size() && at < trie.size() && fast[at] == trie[at])
        ++at;
    QVERIFY2(fast == trie, qPrintable(QStringLiteral("streams of %1 and %2 bytes differ from byte %3")
                                          .arg(fast.size())
                                          .arg(trie.size())
                                          .arg(at)));
}

QTEST_GUILESS_MAIN(TestLzhMatchFinder)
#include "tst_lzhmatchfinder.moc"
