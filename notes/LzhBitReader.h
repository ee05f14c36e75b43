#pragma once
// The expander's bit reader: the next stream bits, most significant first,
// left-aligned in a 64-bit word.
//
// A whole item of the stream (literal/length code, position code and its
// extra bits, at most 44 bits) fits in the word after one refill, so the
// decoding loop checks for input once per item, and a refill loads eight
// bytes at once while a piece of input has that many left. Bits below the
// valid count may already hold the following input bytes; they are the
// same bytes a later refill ORs in, so they never disturb anything.
//
// Past the end of the input zero bits are shifted in, as the format's
// decoder does; but a stream that keeps reading far past its end is damaged
// (or made to inflate zeros to a huge declared size), so once more than a
// few dozen zero bits have actually been consumed the reader fails.

#include "notes/CorruptFile.h"
#include "notes/LzhIo.h"
#include <bit>
#include <cstdint>
#include <cstring>

namespace lzh {

inline const QString kCorruptMessage = QStringLiteral("Compressed file is corrupt");

[[noreturn]] inline void ThrowCorrupt()
{
    throw ECorruptFile(kCorruptMessage);
}

class BitReader {
public:
    // Zero bits that may be consumed past the end before the stream counts
    // as broken: more than a missing final partial byte, far less than a
    // block head.
    static constexpr int kZeroBitsAllowed = 32;

    explicit BitReader(ByteSource &source) : m_source(source) {}

    // The next bits; at least Available() of them are real or end zeros.
    std::uint64_t Bits() const { return m_bits; }
    int Available() const { return m_count; }

    void Consume(int n)
    {
        m_bits <<= n;
        m_count -= n;
    }

    // Makes at least 56 bits available.
    void Refill()
    {
        if (m_end - m_cursor >= 8) {
            std::uint64_t word;
            std::memcpy(&word, m_cursor, 8);
            if constexpr (std::endian::native == std::endian::little)
                word = __builtin_bswap64(word);
            m_bits |= word >> m_count;
            m_cursor += (63 - m_count) >> 3;
            m_count |= 56;
        } else {
            RefillSlowly();
        }
    }

    void Ensure(int n)
    {
        if (m_count < n)
            Refill();
    }

    // The next n bits (0 <= n <= 16) as a number.
    unsigned Get(int n)
    {
        Ensure(n);
        const unsigned x = n == 0 ? 0u : unsigned(m_bits >> (64 - n));
        Consume(n);
        return x;
    }

    // Bits consumed past the end of the input.
    std::int64_t BitsPastEnd() const { return m_zeroBits > m_count ? m_zeroBits - m_count : 0; }

private:
    void RefillSlowly()
    {
        while (m_count <= 56) {
            if (m_cursor == m_end && !m_exhausted) {
                const std::uint8_t *piece = nullptr;
                const qsizetype n = m_source.NextPiece(piece);
                if (n > 0) {
                    m_cursor = piece;
                    m_end = piece + n;
                } else {
                    m_exhausted = true;
                }
            }
            if (m_cursor < m_end) {
                m_bits |= std::uint64_t(*m_cursor++) << (56 - m_count);
            } else {
                m_zeroBits += 8;
            }
            m_count += 8;
        }
        if (BitsPastEnd() > kZeroBitsAllowed)
            ThrowCorrupt();
    }

    ByteSource &m_source;
    const std::uint8_t *m_cursor = nullptr;
    const std::uint8_t *m_end = nullptr;
    std::uint64_t m_bits = 0;
    int m_count = 0;
    bool m_exhausted = false;
    std::int64_t m_zeroBits = 0;
};

} // namespace lzh
