// The lh5 coder: parse, block collection and block sending.
//
// The output must be the reference coder's bit for bit, so the parse is its
// one-step lazy evaluation as it stands: a match found at one position is
// sent only if the next position does not find a longer one, and every match
// length is clamped to the input left, which also feeds the match finder's
// shortcut for the next position. Items go into a 16 KiB block buffer as a
// flag byte per group of eight (a set bit, from bit 7 down, marks a match)
// followed by one byte per literal or three per match, while the three
// alphabets' frequencies are counted. A block is sent when a new group would
// start past 16360 bytes, so blocks end on group boundaries and never hold
// more than 65535 symbols.
//
// Sending a block builds the literal/length code, codes its lengths with the
// code-length code (zero runs folded into symbols 0..2), then the position
// code, and replays the buffered items through the codes. Bits are collected
// most significant first in a 64-bit accumulator and leave four bytes at a
// time through an 8 KiB output buffer. The end is marked by nothing but seven
// zero bits that push out the last partial byte.
//
// All state lives in one object made per call, so calls share nothing. The
// match finder is a parameter: LzhCompress runs FastMatchFinder, and the
// original PatriciaMatchFinder runs the same parse so that the two can be
// compared stream for stream.

#include "notes/LzhEncoder.h"
#include "notes/LzhHuffman.h"
#include "notes/LzhFastMatchFinder.h"
#include "notes/LzhMatchFinder.h"
#include <QString>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace lzh {

namespace {

// Bits of the stream, most significant first, out through an 8 KiB buffer.
class BitWriter {
public:
    explicit BitWriter(ByteSink &sink) : m_sink(sink) {}

    // Appends the low n bits of x (n <= 16; x must have no higher bits).
    void Put(int n, std::uint32_t x)
    {
        m_accumulator = (m_accumulator << n) | x;
        m_pending += n;
        if (m_pending >= 32) {
            m_pending -= 32;
            Emit32(std::uint32_t(m_accumulator >> m_pending));
        }
    }

    // Seven zero bits push the last bits out as whole bytes; what is left of
    // the final byte is dropped.
    void Finish()
    {
        Put(7, 0);
        while (m_pending >= 8) {
            m_pending -= 8;
            if (m_fill == kIoBufferBytes)
                Flush();
            m_buffer[m_fill++] = std::uint8_t(m_accumulator >> m_pending);
        }
        Flush();
    }

private:
    void Emit32(std::uint32_t word)
    {
        if (m_fill > kIoBufferBytes - 4)
            Flush();
        m_buffer[m_fill] = std::uint8_t(word >> 24);
        m_buffer[m_fill + 1] = std::uint8_t(word >> 16);
        m_buffer[m_fill + 2] = std::uint8_t(word >> 8);
        m_buffer[m_fill + 3] = std::uint8_t(word);
        m_fill += 4;
    }
    void Flush()
    {
        if (m_fill > 0)
            m_sink.Write(m_buffer, m_fill);
        m_fill = 0;
    }

    ByteSink &m_sink;
    std::uint64_t m_accumulator = 0;
    int m_pending = 0;
    int m_fill = 0;
    std::uint8_t m_buffer[kIoBufferBytes];
};

int BitLength(unsigned value)
{
    return int(std::bit_width(value));
}

template <class Finder>
class Encoder {
public:
    Encoder(ByteSource &source, ByteSink &sink) : m_source(source), m_bits(sink) {}
    void Run(qint64 size);

private:
    qsizetype ReadInput(std::uint8_t *to, qsizetype max);
    void Advance();
    void Output(unsigned symbol, unsigned position);
    void SendBlock();
    void CountCodeLengthFrequencies();
    void WriteSmallLengths(int symbols, int countBits, int skipIndex);
    void WriteLiteralLengthLengths();
    void PutLiteralLength(int symbol) { m_bits.Put(m_cLen[symbol], m_cCode[symbol]); }
    void PutSmallCode(int symbol) { m_bits.Put(m_ptLen[symbol], m_ptCode[symbol]); }

    ByteSource &m_source;
    Finder m_finder;
    qint64 m_unread = 0;   // bytes of the source not yet in the window
    int m_remaining = 0;   // bytes from the current position to the input's end
    int m_position = kDictionaryBytes;

    std::uint8_t m_block[kBlockBufferBytes];
    int m_blockFill = 0;
    int m_flagAt = 0;
    unsigned m_flagMask = 0;
    std::uint32_t m_cFreq[2 * kLiteralLengthSymbols - 1] = {};
    std::uint32_t m_pFreq[2 * kPositionSymbols - 1] = {};
    std::uint32_t m_tFreq[2 * kCodeLengthSymbols - 1] = {};
    std::uint8_t m_cLen[kLiteralLengthSymbols] = {};
    std::uint16_t m_cCode[kLiteralLengthSymbols] = {};
    // Shared by the code-length code and the position code, used in turn.
    std::uint8_t m_ptLen[kCodeLengthSymbols] = {};
    std::uint16_t m_ptCode[kCodeLengthSymbols] = {};
    BitWriter m_bits;
};

template <class Finder>
qsizetype Encoder<Finder>::ReadInput(std::uint8_t *to, qsizetype max)
{
    max = qMin<qint64>(max, m_unread);
    qsizetype got = 0;
    while (got < max) {
        const qsizetype n = m_source.Read(to + got, max - got);
        if (n <= 0)
            throw std::runtime_error("Stream read error");
        got += n;
    }
    m_unread -= got;
    return got;
}

// One position on: move the window down when it is used up, then drop the
// string leaving the dictionary and insert the new one.
template <class Finder>
inline void Encoder<Finder>::Advance()
{
    --m_remaining;
    if (++m_position == 2 * kDictionaryBytes) {
        std::uint8_t *text = m_finder.Text();
        std::memmove(text, text + kDictionaryBytes, kDictionaryBytes + kMaxMatch);
        m_remaining += int(ReadInput(text + kDictionaryBytes + kMaxMatch, kDictionaryBytes));
        m_position = kDictionaryBytes;
    }
    m_finder.Step(m_position);
}

template <class Finder>
void Encoder<Finder>::Run(qint64 size)
{
    m_unread = size;
    std::uint8_t *text = m_finder.Text();
    m_remaining = int(ReadInput(text + kDictionaryBytes, kDictionaryBytes + kMaxMatch));
    m_finder.Insert(m_position);
    m_finder.ClampMatchLength(m_remaining);
    while (m_remaining > 0) {
        int lastLength = m_finder.MatchLength();
        const int lastPosition = m_finder.MatchPosition();
        Advance();
        m_finder.ClampMatchLength(m_remaining);
        if (m_finder.MatchLength() > lastLength || lastLength < kMinMatch) {
            Output(text[m_position - 1], 0);
        } else {
            Output(unsigned(lastLength + kLengthSymbolBias),
                   unsigned(m_position - lastPosition - 2) & (kDictionaryBytes - 1));
            while (--lastLength > 0)
                Advance();
            m_finder.ClampMatchLength(m_remaining);
        }
    }
    SendBlock();
    m_bits.Finish();
}

template <class Finder>
void Encoder<Finder>::Output(unsigned symbol, unsigned position)
{
    if ((m_flagMask >>= 1) == 0) {
        m_flagMask = 0x80;
        if (m_blockFill >= kBlockBufferLimit) {
            SendBlock();
            m_blockFill = 0;
        }
        m_flagAt = m_blockFill++;
        m_block[m_flagAt] = 0;
    }
    m_block[m_blockFill++] = std::uint8_t(symbol);
    ++m_cFreq[symbol];
    if (symbol >= unsigned(kFirstLengthSymbol)) {
        m_block[m_flagAt] |= std::uint8_t(m_flagMask);
        m_block[m_blockFill++] = std::uint8_t(position >> 8);
        m_block[m_blockFill++] = std::uint8_t(position);
        ++m_pFreq[BitLength(position)];
    }
}

// Code-length symbols needed to send the literal/length lengths.
template <class Finder>
void Encoder<Finder>::CountCodeLengthFrequencies()
{
    for (auto &f : m_tFreq)
        f = 0;
    int n = kLiteralLengthSymbols;
    while (n > 0 && m_cLen[n - 1] == 0)
        --n;
    int i = 0;
    while (i < n) {
        const int k = m_cLen[i++];
        if (k != 0) {
            ++m_tFreq[k + 2];
            continue;
        }
        int run = 1;
        while (i < n && m_cLen[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2) {
            m_tFreq[0] += run;
        } else if (run <= 18) {
            ++m_tFreq[1];
        } else if (run == 19) {
            ++m_tFreq[0];
            ++m_tFreq[1];
        } else {
            ++m_tFreq[2];
        }
    }
}

// Lengths of the code-length or position code: 0..6 in three bits, longer
// ones as (length - 4) one-bits and a zero; the code-length code follows its
// third length with a two-bit count of zero lengths skipped.
template <class Finder>
void Encoder<Finder>::WriteSmallLengths(int symbols, int countBits, int skipIndex)
{
    int n = symbols;
    while (n > 0 && m_ptLen[n - 1] == 0)
        --n;
    m_bits.Put(countBits, unsigned(n));
    int i = 0;
    while (i < n) {
        const int k = m_ptLen[i++];
        if (k <= 6)
            m_bits.Put(3, unsigned(k));
        else
            m_bits.Put(k - 3, (1u << (k - 3)) - 2);
        if (i == skipIndex) {
            while (i < 6 && m_ptLen[i] == 0)
                ++i;
            m_bits.Put(2, unsigned(i - 3) & 3);
        }
    }
}

template <class Finder>
void Encoder<Finder>::WriteLiteralLengthLengths()
{
    int n = kLiteralLengthSymbols;
    while (n > 0 && m_cLen[n - 1] == 0)
        --n;
    m_bits.Put(kLiteralLengthCountBits, unsigned(n));
    int i = 0;
    while (i < n) {
        const int k = m_cLen[i++];
        if (k != 0) {
            PutSmallCode(k + 2);
            continue;
        }
        int run = 1;
        while (i < n && m_cLen[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2) {
            for (int z = 0; z < run; ++z)
                PutSmallCode(0);
        } else if (run <= 18) {
            PutSmallCode(1);
            m_bits.Put(4, unsigned(run - 3));
        } else if (run == 19) {
            PutSmallCode(0);
            PutSmallCode(1);
            m_bits.Put(4, 15);
        } else {
            PutSmallCode(2);
            m_bits.Put(kLiteralLengthCountBits, unsigned(run - 20));
        }
    }
}

template <class Finder>
void Encoder<Finder>::SendBlock()
{
    int root = MakeHuffmanCode(kLiteralLengthSymbols, m_cFreq, m_cLen, m_cCode);
    const unsigned size = m_cFreq[root];
    m_bits.Put(kBlockSizeBits, size);
    if (root >= kLiteralLengthSymbols) {
        CountCodeLengthFrequencies();
        root = MakeHuffmanCode(kCodeLengthSymbols, m_tFreq, m_ptLen, m_ptCode);
        if (root >= kCodeLengthSymbols) {
            WriteSmallLengths(kCodeLengthSymbols, kCodeLengthCountBits, kCodeLengthSkipIndex);
        } else {
            m_bits.Put(kCodeLengthCountBits, 0);
            m_bits.Put(kCodeLengthCountBits, unsigned(root));
        }
        WriteLiteralLengthLengths();
    } else {
        m_bits.Put(kCodeLengthCountBits, 0);
        m_bits.Put(kCodeLengthCountBits, 0);
        m_bits.Put(kLiteralLengthCountBits, 0);
        m_bits.Put(kLiteralLengthCountBits, unsigned(root));
    }
    root = MakeHuffmanCode(kPositionSymbols, m_pFreq, m_ptLen, m_ptCode);
    if (root >= kPositionSymbols) {
        WriteSmallLengths(kPositionSymbols, kPositionCountBits, -1);
    } else {
        m_bits.Put(kPositionCountBits, 0);
        m_bits.Put(kPositionCountBits, unsigned(root));
    }

    int at = 0;
    unsigned flags = 0;
    for (unsigned i = 0; i < size; ++i) {
        if (i % 8 == 0)
            flags = m_block[at++];
        else
            flags <<= 1;
        if (flags & 0x80) {
            PutLiteralLength(m_block[at] + kFirstLengthSymbol);
            const unsigned p = unsigned(m_block[at + 1]) << 8 | m_block[at + 2];
            at += 3;
            const int slot = BitLength(p);
            PutSmallCode(slot);
            if (slot > 1)
                m_bits.Put(slot - 1, p & ((1u << (slot - 1)) - 1));
        } else {
            PutLiteralLength(m_block[at++]);
        }
    }
    for (int i = 0; i < kLiteralLengthSymbols; ++i)
        m_cFreq[i] = 0;
    for (int i = 0; i < kPositionSymbols; ++i)
        m_pFreq[i] = 0;
}

template <class Finder>
void Encode(ByteSource &source, qint64 size, ByteSink &sink)
{
    if (size < 0 || size > 0x7FFFFFFF)
        throw std::length_error("Data jsou pro kompresi příliš velká.");
    const std::uint8_t header[kHeaderBytes] = {std::uint8_t(size), std::uint8_t(size >> 8),
                                               std::uint8_t(size >> 16), std::uint8_t(size >> 24)};
    sink.Write(header, kHeaderBytes);
    auto encoder = std::make_unique<Encoder<Finder>>(source, sink);
    encoder->Run(size);
}

} // namespace

void EncodeStream(ByteSource &source, qint64 size, ByteSink &sink)
{
    Encode<FastMatchFinder>(source, size, sink);
}

void EncodeStreamWithTrie(ByteSource &source, qint64 size, ByteSink &sink)
{
    Encode<PatriciaMatchFinder>(source, size, sink);
}

} // namespace lzh
