// Huffman codes of the lh5 stream: the compressor's construction with its
// tie-breaks worked out by hand, the 16-bit length limit, and the
// expander's table building from untrusted lengths.

#include "notes/LzhHuffman.h"
#include <QTest>
#include <vector>

using namespace lzh;

namespace {

struct Code {
    int root;
    std::vector<int> lengths;
    std::vector<int> codes;
};

Code Make(const std::vector<std::uint32_t> &frequencies)
{
    const int n = int(frequencies.size());
    std::vector<std::uint32_t> f(frequencies);
    f.resize(2 * n);
    std::vector<std::uint8_t> lengths(n);
    std::vector<std::uint16_t> codes(n);
    Code c;
    c.root = MakeHuffmanCode(n, f.data(), lengths.data(), codes.data());
    for (int i = 0; i < n; ++i) {
        c.lengths.push_back(lengths[i]);
        c.codes.push_back(lengths[i] ? codes[i] : -1);
    }
    return c;
}

std::uint64_t Kraft(const std::vector<int> &lengths)
{
    std::uint64_t sum = 0;
    for (int l : lengths)
        if (l)
            sum += std::uint64_t(1) << (16 - l);
    return sum;
}

} // namespace

class TestLzhHuffman : public QObject {
    Q_OBJECT
private slots:
    void handWorkedCodes_data();
    void handWorkedCodes();
    void fewerThanTwoSymbols();
    void lengthsAreLimitedTo16();
    void tablesDecodeEveryCode_data();
    void tablesDecodeEveryCode();
    void tablesRefuseBadLengths_data();
    void tablesRefuseBadLengths();
};

void TestLzhHuffman::handWorkedCodes_data()
{
    QTest::addColumn<std::vector<std::uint32_t>>("frequencies");
    QTest::addColumn<std::vector<int>>("lengths");
    QTest::addColumn<std::vector<int>>("codes");
    // Skewed: 0 and 1 leave the heap first and get the longest codes.
    QTest::newRow("1 1 2 4") << std::vector<std::uint32_t>{1, 1, 2, 4} << std::vector<int>{3, 3, 2, 1}
                             << std::vector<int>{0b110, 0b111, 0b10, 0b0};
    // Five equal frequencies: the tree has 0 and 4 at depth 2, but lengths
    // go by order of removal (0, 4, 1, 3, 2), so 0 and 4 get the 3-bit codes.
    QTest::newRow("five equal") << std::vector<std::uint32_t>{1, 1, 1, 1, 1} << std::vector<int>{3, 2, 2, 2, 3}
                                << std::vector<int>{0b110, 0b00, 0b01, 0b10, 0b111};
    // Unused symbols keep no length.
    QTest::newRow("3 unused 1 2") << std::vector<std::uint32_t>{0, 0, 3, 1, 2} << std::vector<int>{0, 0, 1, 2, 2}
                                  << std::vector<int>{-1, -1, 0b0, 0b10, 0b11};
}

void TestLzhHuffman::handWorkedCodes()
{
    QFETCH(std::vector<std::uint32_t>, frequencies);
    QFETCH(std::vector<int>, lengths);
    QFETCH(std::vector<int>, codes);
    const Code c = Make(frequencies);
    QCOMPARE(c.lengths, lengths);
    QCOMPARE(c.codes, codes);
    QVERIFY(c.root >= int(frequencies.size()));
}

void TestLzhHuffman::fewerThanTwoSymbols()
{
    const Code one = Make({0, 0, 7, 0});
    QCOMPARE(one.root, 2);
    QCOMPARE(one.lengths, std::vector<int>(4, 0));
    const Code none = Make({0, 0, 0});
    QCOMPARE(none.root, 0);
    QCOMPARE(none.lengths, std::vector<int>(3, 0));
}

void TestLzhHuffman::lengthsAreLimitedTo16()
{
    // Fibonacci frequencies make a tree 24 levels deep.
    std::vector<std::uint32_t> f{1, 1};
    while (f.size() < 25)
        f.push_back(f[f.size() - 1] + f[f.size() - 2]);
    f.resize(kLiteralLengthSymbols, 0);
    const Code c = Make(f);
    QCOMPARE(Kraft(c.lengths), std::uint64_t(1) << 16);
    QCOMPARE(*std::max_element(c.lengths.begin(), c.lengths.end()), 16);
    // Rarer symbols never get shorter codes.
    for (int i = 1; i < 25; ++i)
        QVERIFY(c.lengths[i] <= c.lengths[i - 1]);
}

void TestLzhHuffman::tablesDecodeEveryCode_data()
{
    QTest::addColumn<std::vector<std::uint32_t>>("frequencies");
    QTest::addColumn<int>("tableBits");
    std::vector<std::uint32_t> fib{1, 1};
    while (fib.size() < 30)
        fib.push_back(fib[fib.size() - 1] + fib[fib.size() - 2]);
    std::vector<std::uint32_t> skewed(kLiteralLengthSymbols);
    for (int i = 0; i < kLiteralLengthSymbols; ++i)
        skewed[i] = (i % 7 == 3) ? 0 : 1 + (i * i) % 4000 / (1 + i % 13) + (i < 20 ? 60000 : 0);
    QTest::newRow("literal/length, long codes") << skewed << kLiteralLengthTableBits;
    fib.resize(kLiteralLengthSymbols, 0);
    QTest::newRow("literal/length, limited to 16") << fib << kLiteralLengthTableBits;
    QTest::newRow("positions") << std::vector<std::uint32_t>{900, 1, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233}
                               << kSmallTableBits;
    QTest::newRow("code lengths, two symbols") << std::vector<std::uint32_t>{0, 5, 0, 0, 9} << kSmallTableBits;
}

void TestLzhHuffman::tablesDecodeEveryCode()
{
    QFETCH(std::vector<std::uint32_t>, frequencies);
    QFETCH(int, tableBits);
    const int n = int(frequencies.size());
    const Code c = Make(frequencies);
    if (tableBits == kLiteralLengthTableBits) // some codes continue in the tree
        QVERIFY(*std::max_element(c.lengths.begin(), c.lengths.end()) > tableBits);
    std::vector<std::uint8_t> lengths(c.lengths.begin(), c.lengths.end());
    std::vector<std::uint16_t> table(std::size_t(1) << tableBits), left(2 * n), right(2 * n);
    QVERIFY(BuildDecodeTable(n, lengths.data(), tableBits, table.data(), left.data(), right.data()));
    for (int symbol = 0; symbol < n; ++symbol) {
        const int l = c.lengths[symbol];
        if (l == 0)
            continue;
        // The code, left-aligned, followed by ones that must not matter.
        const std::uint64_t bits = (std::uint64_t(c.codes[symbol]) << (64 - l)) | (~std::uint64_t(0) >> l);
        int s = table[bits >> (64 - tableBits)];
        std::uint64_t mask = std::uint64_t(1) << (63 - tableBits);
        while (s >= n) {
            s = (bits & mask) ? right[s] : left[s];
            mask >>= 1;
        }
        QCOMPARE(s, symbol);
    }
}

void TestLzhHuffman::tablesRefuseBadLengths_data()
{
    QTest::addColumn<std::vector<std::uint8_t>>("lengths");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("complete 1 2 2") << std::vector<std::uint8_t>{1, 2, 2, 0} << true;
    QTest::newRow("complete, 16 bits deep")
        << std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 16} << true;
    QTest::newRow("all zero") << std::vector<std::uint8_t>{0, 0, 0, 0} << false;
    QTest::newRow("one code of 1 bit") << std::vector<std::uint8_t>{1, 0, 0, 0} << false;
    QTest::newRow("incomplete 1 2") << std::vector<std::uint8_t>{1, 2, 0, 0} << false;
    QTest::newRow("overfull 1 1 1") << std::vector<std::uint8_t>{1, 1, 1, 0} << false;
    QTest::newRow("overfull by exactly the whole") << std::vector<std::uint8_t>{1, 1, 1, 1} << false;
    QTest::newRow("length 17") << std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 17}
                               << false;
}

void TestLzhHuffman::tablesRefuseBadLengths()
{
    QFETCH(std::vector<std::uint8_t>, lengths);
    QFETCH(bool, accepted);
    const int n = int(lengths.size());
    std::vector<std::uint16_t> table(256), left(2 * n), right(2 * n);
    QCOMPARE(BuildDecodeTable(n, lengths.data(), kSmallTableBits, table.data(), left.data(), right.data()), accepted);
}

QTEST_GUILESS_MAIN(TestLzhHuffman)
#include "tst_lzhhuffman.moc"
