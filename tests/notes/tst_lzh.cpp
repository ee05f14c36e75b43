// The compressed stream of the notes store: round trips, exact streams for
// small inputs built bit by bit from the format's rules, and damaged streams
// that must fail with ECorruptFile instead of reading or writing out of
// bounds or inflating to their declared size.

#include "LzhSamples.h"
#include "LzhStreamBits.h"
#include "notes/Lzh.h"
#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <QTest>

namespace {

const QString kCorrupt = QStringLiteral("Compressed file is corrupt");

// A device that hands out at most three bytes per read, like a pipe.
class TrickleDevice : public QIODevice {
public:
    explicit TrickleDevice(QByteArray data) : m_data(std::move(data)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_data.size(); }

protected:
    qint64 readData(char *to, qint64 max) override
    {
        const qint64 n = std::min<qint64>({max, 3, m_data.size() - pos()});
        memcpy(to, m_data.constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
};

// A device that takes `room` bytes and then fails every write.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 count) override
    {
        if (count > m_room)
            return -1;
        m_room -= count;
        return count;
    }

private:
    qint64 m_room;
};

QString ExpandFailure(const QByteArray &stream)
{
    try {
        LzhExpandBytes(stream);
    } catch (const ECorruptFile &e) {
        return e.message();
    }
    return QStringLiteral("(expanded)");
}

// The head of a block whose literal/length code has the single symbol
// `symbol` (zero bits per symbol) and whose position code has the single
// slot `slot`.
LzhStreamBits SingleSymbolBlock(int size, int symbol, int slot)
{
    LzhStreamBits b;
    b.put(16, quint32(size));         // symbols in the block
    b.put(5, 0).put(5, 0);            // code-length code: unused, one-symbol form
    b.put(9, 0).put(9, quint32(symbol)); // literal/length code: only `symbol`
    b.put(4, 0).put(4, quint32(slot)); // position code: only `slot`
    return b;
}

} // namespace

class TestLzh : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void exactStreams_data();
    void exactStreams();
    void emptyBlocksAreSkipped();
    void zeroBitSymbolsAndOverlappingCopies();
    void corruptStreams_data();
    void corruptStreams();
    void inputUsedUpLongBeforeTheDeclaredSize_data();
    void inputUsedUpLongBeforeTheDeclaredSize();
    void aMissingFinalByteStillYieldsTheSize();
    void trailingBytesAreIgnored();
    void devicesAreReadAndWrittenFromTheirPositions();
    void failingDestinationThrows();
};

void TestLzh::roundTrip_data()
{
    using namespace LzhSamples;
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("A");
    QTest::newRow("two bytes") << QByteArray("ab");
    QTest::newRow("three same bytes") << QByteArray("xxx");
    QTest::newRow("run of 1000") << QByteArray(1000, 'a');
    QTest::newRow("zeros 200000") << QByteArray(200000, '\0');
    QTest::newRow("all byte values") << AllByteValues(40);
    for (int period = 2; period <= 9; ++period)
        QTest::addRow("period %d", period) << Periodic(30000, Random(period, quint32(period)));
    QTest::newRow("text 100k") << Text(100000, 1);
    QTest::newRow("random 100k") << Random(100000, 2);
    QTest::newRow("repeated block 300k") << RepeatedBlock(300000, 6000, 3);
    QTest::newRow("mixed 1.2 MiB") << Mixed(1200000, 4);
    for (const auto &[name, data] : Boundaries())
        QTest::newRow(name) << data;
}

void TestLzh::roundTrip()
{
    QFETCH(QByteArray, input);
    const QByteArray stream = LzhCompressBytes(input);
    QCOMPARE(qFromLittleEndian<qint32>(stream.constData()), qint32(input.size()));
    QCOMPARE(LzhExpandBytes(stream), input);

    // The device forms write and read the same bytes, also through a device
    // that hands out a few bytes per read.
    TrickleDevice source(input);
    QBuffer dest;
    dest.open(QIODevice::WriteOnly);
    LzhCompress(source, dest);
    QCOMPARE(dest.data(), stream);
    TrickleDevice compressed(stream);
    QBuffer expanded;
    expanded.open(QIODevice::WriteOnly);
    LzhExpand(compressed, expanded);
    QCOMPARE(expanded.data(), input);
}

// Small inputs whose streams follow from the format's rules by hand.
void TestLzh::exactStreams_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("stream");

    // Size 0, one empty block head, then the seven flush bits: eleven zero bytes.
    QTest::newRow("empty") << QByteArray() << SingleSymbolBlock(0, 0, 0).stream(0);
    QCOMPARE(SingleSymbolBlock(0, 0, 0).stream(0), QByteArray(11, '\0'));

    // One literal: the one-symbol forms of both codes, the item in zero bits.
    QTest::newRow("one byte") << QByteArray("A") << SingleSymbolBlock(1, 'A', 0).stream(1);
    // Two equal bytes repeat only once: two literals of the one symbol.
    QTest::newRow("two equal bytes") << QByteArray("aa") << SingleSymbolBlock(2, 'a', 0).stream(2);

    // 1000 x 'a': the literal, three matches of 256 and one of 231, all at
    // distance 1. Frequencies: 'a' 1, symbol 484 (231) 1, symbol 509 (256) 3
    // give lengths 2, 2, 1 and codes 10, 11, 0.
    LzhStreamBits b;
    b.put(16, 5);                              // five literal/length symbols
    b.put(5, 5);                               // code-length code: five lengths
    b.put(3, 0).put(3, 0).put(3, 1);           //   symbols 0, 1 unused; 2 (20+ zeros): 1 bit
    b.put(2, 0);                               //   no zero lengths skipped after the third
    b.put(3, 2).put(3, 2);                     //   3 (length 1), 4 (length 2): 2 bits; codes 2=0 3=10 4=11
    b.put(9, 510);                             // literal/length lengths: 510
    b.put(1, 0).put(9, 97 - 20);               //   97 zeros, bytes 0..96
    b.put(2, 3);                               //   'a': length 2
    b.put(1, 0).put(9, 386 - 20);              //   386 zeros, 98..483
    b.put(2, 3);                               //   484 (match of 231): length 2
    b.put(1, 0).put(9, 24 - 20);               //   24 zeros, 485..508
    b.put(2, 2);                               //   509 (match of 256): length 1
    b.put(4, 0).put(4, 0);                     // position code: only slot 0
    b.put(2, 2);                               // 'a'
    b.put(1, 0).put(1, 0).put(1, 0);           // 256 at distance 1, three times (slot 0: no bits)
    b.put(2, 3);                               // 231 at distance 1
    QTest::newRow("run of 1000") << QByteArray(1000, 'a') << b.stream(1000);
}

void TestLzh::exactStreams()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, stream);
    QCOMPARE(LzhCompressBytes(input).toHex(), stream.toHex());
    QCOMPARE(LzhExpandBytes(stream), input);
}

void TestLzh::emptyBlocksAreSkipped()
{
    // An empty block, then a block of one literal 'Z'.
    LzhStreamBits b = SingleSymbolBlock(0, 0, 0);
    b.put(16, 1).put(5, 0).put(5, 0).put(9, 0).put(9, 'Z').put(4, 0).put(4, 0);
    QCOMPARE(LzhExpandBytes(b.stream(1)), QByteArray("Z"));
}

void TestLzh::zeroBitSymbolsAndOverlappingCopies()
{
    // One literal 'x', then a block of nothing but matches of 256 at
    // distance 1 in zero bits each: the copy repeats the byte it has just
    // written, and the matches run across the decoder's chunks.
    LzhStreamBits b = SingleSymbolBlock(1, 'x', 0);
    b.put(16, 300).put(5, 0).put(5, 0).put(9, 0).put(9, 509).put(4, 0).put(4, 0);
    const qint32 size = 1 + 300 * 256;
    QCOMPARE(LzhExpandBytes(b.stream(size)), QByteArray(size, 'x'));
    // The declared size cuts the last match short.
    QCOMPARE(LzhExpandBytes(b.stream(1000)), QByteArray(1000, 'x'));

    // "abc" and a match of 10 at distance 3 (slot 2, one extra bit 0): the
    // copy overlaps itself and repeats the pattern. The codes are chosen by
    // hand; any complete code is read.
    LzhStreamBits c;
    c.put(16, 4);                              // 'a', 'b', 'c', the match
    c.put(5, 5);                               // code-length code: five lengths
    c.put(3, 0).put(3, 0).put(3, 1);           //   0, 1 unused; 2 (20+ zeros): 1 bit
    c.put(2, 1);                               //   one zero length skipped (symbol 3)
    c.put(3, 1);                               //   4 (length 2): 1 bit; codes 2=0 4=1
    c.put(9, 264);                             // literal/length lengths: 264
    c.put(1, 0).put(9, 97 - 20);               //   97 zeros
    c.put(1, 1).put(1, 1).put(1, 1);           //   'a', 'b', 'c': length 2
    c.put(1, 0).put(9, 163 - 20);              //   163 zeros, 100..262
    c.put(1, 1);                               //   263 (match of 10): length 2
    c.put(4, 0).put(4, 2);                     // position code: only slot 2
    c.put(2, 0).put(2, 1).put(2, 2);           // 'a' 'b' 'c'
    c.put(2, 3).put(1, 0);                     // match of 10, position 2 + 0: distance 3
    QCOMPARE(LzhExpandBytes(c.stream(13)), QByteArray("abcabcabcabca"));
}

void TestLzh::corruptStreams_data()
{
    QTest::addColumn<QByteArray>("stream");
    // Zero bytes behind the damaged field, so that it is the field that
    // fails and not the end of the input.
    const QByteArray kPadding(64, '\0');

    auto head = [](int size) {
        LzhStreamBits b;
        b.put(16, quint32(size));
        return b;
    };
    // Code-length code fields.
    QTest::newRow("code-length count 20") << head(1).put(5, 20).stream(10) + kPadding;
    QTest::newRow("code-length count 31") << head(1).put(5, 31).stream(10) + kPadding;
    QTest::newRow("code-length single symbol 19") << head(1).put(5, 0).put(5, 19).stream(10) + kPadding;
    QTest::newRow("code-length single symbol 31") << head(1).put(5, 0).put(5, 31).stream(10) + kPadding;
    // One length of 17: 111, ten one-bits, a zero.
    QTest::newRow("code length 17") << head(1).put(5, 1).put(3, 7).put(10, 0x3FF).put(1, 0).stream(10) + kPadding;
    QTest::newRow("code length unending") << head(1).put(5, 1).put(16, 0xFFFF).put(16, 0xFFFF).stream(10) + kPadding;
    QTest::newRow("incomplete code-length code") << head(1).put(5, 1).put(3, 1).stream(10) + kPadding;
    QTest::newRow("overfull code-length code")
        << head(1).put(5, 3).put(3, 1).put(3, 1).put(3, 1).put(2, 0).stream(10) + kPadding;
    QTest::newRow("all code lengths zero") << head(1).put(5, 3).put(3, 0).put(3, 0).put(3, 0).put(2, 0).stream(10) + kPadding;

    // Literal/length fields, behind a code-length code of the one symbol 3
    // (every literal/length code 1 bit long, sent in zero bits).
    auto lengthsOfOne = [&](int size) { return head(size).put(5, 0).put(5, 3); };
    QTest::newRow("literal/length count 511") << lengthsOfOne(1).put(9, 511).stream(10) + kPadding;
    QTest::newRow("literal/length single symbol 510") << head(1).put(5, 0).put(5, 0).put(9, 0).put(9, 510).stream(10) + kPadding;
    QTest::newRow("literal/length single symbol 511") << head(1).put(5, 0).put(5, 0).put(9, 0).put(9, 511).stream(10) + kPadding;
    QTest::newRow("incomplete literal/length code") << lengthsOfOne(1).put(9, 1).stream(10) + kPadding;
    QTest::newRow("overfull literal/length code") << lengthsOfOne(1).put(9, 3).stream(10) + kPadding;
    // Zero runs (code-length code of the one symbol 2: runs of 20 + 9 bits)
    // that run past the 510 lengths.
    QTest::newRow("zero run past the alphabet")
        << head(1).put(5, 0).put(5, 2).put(9, 510).put(9, 511).stream(10) + kPadding;
    QTest::newRow("zero runs adding up past the alphabet")
        << head(1).put(5, 0).put(5, 2).put(9, 510).put(9, 400).put(9, 100).stream(10) + kPadding;

    // Position code fields, behind a one-symbol literal/length code.
    auto literalOnly = [&](int size) { return head(size).put(5, 0).put(5, 0).put(9, 0).put(9, 300); };
    QTest::newRow("position count 15") << literalOnly(1).put(4, 15).stream(10) + kPadding;
    QTest::newRow("position single slot 14") << literalOnly(1).put(4, 0).put(4, 14).stream(10) + kPadding;
    QTest::newRow("position single slot 15") << literalOnly(1).put(4, 0).put(4, 15).stream(10) + kPadding;
    QTest::newRow("incomplete position code") << literalOnly(1).put(4, 2).put(3, 1).put(3, 0).stream(10) + kPadding;
    QTest::newRow("overfull position code")
        << literalOnly(1).put(4, 3).put(3, 1).put(3, 1).put(3, 1).stream(10) + kPadding;

    // Headers.
    QTest::newRow("negative size") << SingleSymbolBlock(1, 'A', 0).stream(-1);
    QTest::newRow("size -2^31") << SingleSymbolBlock(1, 'A', 0).stream(qint32(0x80000000u));
    QTest::newRow("no header") << QByteArray();
    QTest::newRow("three header bytes") << QByteArray("\x01\x00\x00", 3);
}

void TestLzh::corruptStreams()
{
    QFETCH(QByteArray, stream);
    QCOMPARE(ExpandFailure(stream), kCorrupt);
    // The device form fails the same way and writes nothing.
    QBuffer source(&stream);
    source.open(QIODevice::ReadOnly);
    QBuffer dest;
    dest.open(QIODevice::WriteOnly);
    QVERIFY_THROWS_EXCEPTION(ECorruptFile, LzhExpand(source, dest));
    QCOMPARE(dest.size(), 0);
}

void TestLzh::inputUsedUpLongBeforeTheDeclaredSize_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::newRow("header only, size 1000") << QByteArray("\xE8\x03\x00\x00", 4);
    QTest::newRow("header only, size 2^31-1") << QByteArray("\xFF\xFF\xFF\x7F", 4);
    QTest::newRow("one literal, size 2^31-1") << SingleSymbolBlock(1, 'A', 0).stream(0x7FFFFFFF);
    // A block of 65535 zero-bit matches yields 16 MiB from a few bytes; what
    // follows must still come from the stream.
    QTest::newRow("zero-bit matches, size 2^31-1") << SingleSymbolBlock(65535, 509, 0).stream(0x7FFFFFFF);
    QByteArray text = LzhCompressBytes(LzhSamples::Text(100000, 9));
    qToLittleEndian<qint32>(0x7FFFFFFF, text.data());
    QTest::newRow("text, size 2^31-1") << text;
    QByteArray cut = LzhCompressBytes(LzhSamples::Text(100000, 9));
    cut.chop(cut.size() / 2);
    QTest::newRow("text, second half missing") << cut;
}

void TestLzh::inputUsedUpLongBeforeTheDeclaredSize()
{
    QFETCH(QByteArray, stream);
    QCOMPARE(ExpandFailure(stream), kCorrupt);
}

void TestLzh::aMissingFinalByteStillYieldsTheSize()
{
    // Missing bits read as zeros while the stream is nearly whole: the
    // declared size comes out, only its last bytes may differ.
    const QByteArray input = LzhSamples::Text(20000, 5);
    QByteArray stream = LzhCompressBytes(input);
    stream.chop(1);
    const QByteArray out = LzhExpandBytes(stream);
    QCOMPARE(out.size(), input.size());
    QCOMPARE(out.left(input.size() - 300), input.left(input.size() - 300));
}

void TestLzh::trailingBytesAreIgnored()
{
    // The container's cipher pads the stream; the size ends it.
    const QByteArray input = LzhSamples::Text(5000, 6);
    QCOMPARE(LzhExpandBytes(LzhCompressBytes(input) + QByteArray(8, '\x01')), input);
}

void TestLzh::devicesAreReadAndWrittenFromTheirPositions()
{
    const QByteArray input = LzhSamples::Text(30000, 7);
    QByteArray sourceBytes = "skip" + input;
    QBuffer source(&sourceBytes);
    source.open(QIODevice::ReadOnly);
    source.seek(4);
    QByteArray destBytes = "kept";
    QBuffer dest(&destBytes);
    dest.open(QIODevice::ReadWrite);
    dest.seek(4);
    LzhCompress(source, dest);
    QCOMPARE(source.pos(), sourceBytes.size());
    QCOMPARE(destBytes, "kept" + LzhCompressBytes(input));

    QBuffer compressed(&destBytes);
    compressed.open(QIODevice::ReadOnly);
    compressed.seek(4);
    QByteArray outBytes = "head";
    QBuffer out(&outBytes);
    out.open(QIODevice::ReadWrite);
    out.seek(4);
    LzhExpand(compressed, out);
    QCOMPARE(outBytes, "head" + input);
}

void TestLzh::failingDestinationThrows()
{
    const QByteArray input = LzhSamples::Random(100000, 8);
    QBuffer source;
    source.setData(input);
    source.open(QIODevice::ReadOnly);
    FailingDevice dest(20000);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, LzhCompress(source, dest));

    QByteArray stream = LzhCompressBytes(input);
    QBuffer compressed(&stream);
    compressed.open(QIODevice::ReadOnly);
    FailingDevice out(20000);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, LzhExpand(compressed, out));
}

QTEST_GUILESS_MAIN(TestLzh)
#include "tst_lzh.moc"
