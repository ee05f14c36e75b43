#pragma once
// Builds compressed streams bit by bit for the lh5 tests: the four-byte
// size, then the fields most significant bit first, the last byte padded
// with zeros.

#include <QByteArray>
#include <vector>

class LzhStreamBits {
public:
    LzhStreamBits &put(int count, quint32 value)
    {
        for (int i = count - 1; i >= 0; --i)
            m_bits.push_back((value >> i) & 1);
        return *this;
    }

    QByteArray stream(qint32 size) const
    {
        QByteArray out;
        const quint32 u = quint32(size);
        out.append(char(u & 0xFF)).append(char(u >> 8 & 0xFF)).append(char(u >> 16 & 0xFF)).append(char(u >> 24));
        for (std::size_t i = 0; i < m_bits.size(); i += 8) {
            int byte = 0;
            for (std::size_t k = 0; k < 8; ++k)
                byte = byte << 1 | (i + k < m_bits.size() ? m_bits[i + k] : 0);
            out.append(char(byte));
        }
        return out;
    }

private:
    std::vector<int> m_bits;
};
