// The lh5 decoder.
//
// A block head brings three codes as lengths: the code-length code, the
// literal/length code sent through it, and the position code. Every field of
// the head is untrusted: counts larger than their alphabet, zero runs that
// run past it, single symbols outside it, lengths above 16 and sets that are
// not a complete prefix code are all refused as a corrupt file before any
// table is used, so decoding can never index outside a table or walk off a
// tree. An empty block is legal and simply followed by the next head.
//
// The output side keeps the format's 8192-byte dictionary, but as the 8192
// bytes in front of a larger linear buffer instead of a ring: matches copy
// forward without wrapping (eight bytes at a time when the distance allows,
// which reproduces the byte-by-byte repetition of overlapping copies), and
// the buffer slides down once per 64 KiB of output. The history starts as
// zeros, which is what a reference to before the start of the data reads in
// the format's ring. A match that runs past the declared size is cut there.

#include "notes/LzhDecoder.h"
#include "notes/LzhBitReader.h"
#include "notes/LzhHuffman.h"
#include <algorithm>
#include <bit>
#include <memory>

namespace lzh {

namespace {

constexpr int kHistoryBytes = kDictionaryBytes;
constexpr int kChunkBytes = 64 * 1024;
// Room behind a chunk for a match that starts at its end, plus the
// eight-byte overrun of the word copy.
constexpr int kOverrunBytes = kMaxMatch + 16;
// Most bits one item takes: a literal/length code, a position code, and the
// position's extra bits.
constexpr int kMaxItemBits = kMaxCodeLength + kMaxCodeLength + kDictionaryBits - 1;

class Decoder {
public:
    Decoder(ByteSource &source, ByteSink &sink) : m_in(source), m_sink(sink) {}
    void Run();

private:
    template <int Symbols>
    void ReadSmallLengths(HuffmanDecoder<Symbols, kSmallTableBits> &code, int countBits, int skipIndex);
    void ReadLiteralLengthLengths();
    void ReadBlockHead();
    std::uint8_t *Decode(std::uint8_t *out, std::uint8_t *stop);

    BitReader m_in;
    ByteSink &m_sink;
    unsigned m_blockLeft = 0;
    HuffmanDecoder<kLiteralLengthSymbols, kLiteralLengthTableBits> m_literalLength;
    HuffmanDecoder<kCodeLengthSymbols, kSmallTableBits> m_codeLength;
    HuffmanDecoder<kPositionSymbols, kSmallTableBits> m_position;
    std::uint8_t m_window[kHistoryBytes + kChunkBytes + kOverrunBytes] = {};
};

// Lengths of the code-length or position code.
template <int Symbols>
void Decoder::ReadSmallLengths(HuffmanDecoder<Symbols, kSmallTableBits> &code, int countBits, int skipIndex)
{
    const unsigned n = m_in.Get(countBits);
    if (n == 0) {
        const unsigned symbol = m_in.Get(countBits);
        if (symbol >= unsigned(Symbols))
            ThrowCorrupt();
        code.SetSingle(int(symbol));
        return;
    }
    if (n > unsigned(Symbols))
        ThrowCorrupt();
    int i = 0;
    while (i < int(n)) {
        m_in.Ensure(kMaxCodeLength);
        int length = int(m_in.Bits() >> 61);
        if (length == 7) {
            // 7 and more: one more per further one-bit, then a zero-bit.
            const int ones = std::countl_one(m_in.Bits() << 3);
            if (7 + ones > kMaxCodeLength)
                ThrowCorrupt();
            length += ones;
            m_in.Consume(3 + ones + 1);
        } else {
            m_in.Consume(3);
        }
        code.lengths[i++] = std::uint8_t(length);
        if (i == skipIndex) {
            for (unsigned zeros = m_in.Get(2); zeros > 0 && i < Symbols; --zeros)
                code.lengths[i++] = 0;
        }
    }
    while (i < Symbols)
        code.lengths[i++] = 0;
    if (!code.Build())
        ThrowCorrupt();
}

// The literal/length lengths, each sent through the code-length code.
void Decoder::ReadLiteralLengthLengths()
{
    const unsigned n = m_in.Get(kLiteralLengthCountBits);
    if (n == 0) {
        const unsigned symbol = m_in.Get(kLiteralLengthCountBits);
        if (symbol >= unsigned(kLiteralLengthSymbols))
            ThrowCorrupt();
        m_literalLength.SetSingle(int(symbol));
        return;
    }
    if (n > unsigned(kLiteralLengthSymbols))
        ThrowCorrupt();
    std::uint8_t *lengths = m_literalLength.lengths;
    unsigned i = 0;
    while (i < n) {
        m_in.Ensure(kMaxCodeLength + kLiteralLengthCountBits);
        const int symbol = m_codeLength.Decode(m_in.Bits());
        m_in.Consume(m_codeLength.lengths[symbol]);
        if (symbol > 2) {
            lengths[i++] = std::uint8_t(symbol - 2);
            continue;
        }
        unsigned run;
        if (symbol == 0)
            run = 1;
        else if (symbol == 1)
            run = m_in.Get(4) + 3;
        else
            run = m_in.Get(kLiteralLengthCountBits) + 20;
        if (i + run > unsigned(kLiteralLengthSymbols))
            ThrowCorrupt();
        std::fill_n(lengths + i, run, std::uint8_t(0));
        i += run;
    }
    std::fill(lengths + i, lengths + kLiteralLengthSymbols, std::uint8_t(0));
    if (!m_literalLength.Build())
        ThrowCorrupt();
}

void Decoder::ReadBlockHead()
{
    m_blockLeft = m_in.Get(kBlockSizeBits);
    ReadSmallLengths(m_codeLength, kCodeLengthCountBits, kCodeLengthSkipIndex);
    ReadLiteralLengthLengths();
    ReadSmallLengths(m_position, kPositionCountBits, -1);
}

// Decodes items into `out` until it reaches `stop`; the last match may run
// up to kMaxMatch - 1 bytes past it. Returns the new end.
std::uint8_t *Decoder::Decode(std::uint8_t *out, std::uint8_t *const stop)
{
    while (out < stop) {
        if (m_blockLeft == 0) {
            ReadBlockHead();
            continue;
        }
        --m_blockLeft;
        if (m_in.Available() < kMaxItemBits)
            m_in.Refill();
        const int symbol = m_literalLength.Decode(m_in.Bits());
        m_in.Consume(m_literalLength.lengths[symbol]);
        if (symbol < kFirstLengthSymbol) {
            *out++ = std::uint8_t(symbol);
            continue;
        }
        const int length = symbol - kLengthSymbolBias;
        const int slot = m_position.Decode(m_in.Bits());
        m_in.Consume(m_position.lengths[slot]);
        unsigned distance = unsigned(slot) + 1;
        if (slot > 1) {
            const int extra = slot - 1;
            distance = (1u << extra) + unsigned(m_in.Bits() >> (64 - extra)) + 1;
            m_in.Consume(extra);
        }
        const std::uint8_t *from = out - distance;
        std::uint8_t *const end = out + length;
        if (distance >= 8) {
            do {
                std::memcpy(out, from, 8);
                out += 8;
                from += 8;
            } while (out < end);
        } else if (distance == 1) {
            std::memset(out, *from, std::size_t(length));
        } else {
            for (std::uint8_t *o = out; o < end; ++o)
                *o = *from++;
        }
        out = end;
    }
    return out;
}

void Decoder::Run()
{
    std::int64_t size = 0;
    for (int i = 0; i < kHeaderBytes; ++i)
        size |= std::int64_t(m_in.Get(8)) << (8 * i);
    size = std::int32_t(std::uint32_t(size));
    if (m_in.BitsPastEnd() > 0 || size < 0)
        ThrowCorrupt();

    std::uint8_t *const base = m_window + kHistoryBytes;
    std::uint8_t *out = base;
    std::int64_t remaining = size;
    while (remaining > 0) {
        if (out >= base + kChunkBytes) {
            m_sink.Write(base, out - base);
            std::memmove(m_window, out - kHistoryBytes, kHistoryBytes);
            out = base;
        }
        std::uint8_t *const start = out;
        std::uint8_t *const stop = out + std::min<std::int64_t>(remaining, base + kChunkBytes - out);
        out = Decode(out, stop);
        remaining -= out - start;
        if (remaining < 0) {
            out += remaining;
            remaining = 0;
        }
    }
    if (out > base)
        m_sink.Write(base, out - base);
}

} // namespace

void DecodeStream(ByteSource &source, ByteSink &sink)
{
    auto decoder = std::make_unique<Decoder>(source, sink);
    decoder->Run();
}

} // namespace lzh
