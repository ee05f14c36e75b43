#include "files/FileCipher.h"
#include <algorithm>

namespace {

std::uint32_t ReadLittleEndian(const char *p)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

void WriteLittleEndian(char *p, std::uint32_t v)
{
    auto *b = reinterpret_cast<unsigned char *>(p);
    b[0] = std::uint8_t(v);
    b[1] = std::uint8_t(v >> 8);
    b[2] = std::uint8_t(v >> 16);
    b[3] = std::uint8_t(v >> 24);
}

} // namespace

std::uint32_t FileCipher::Round(std::uint32_t x) const
{
    // The most significant byte indexes box 1.
    return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) + m_s[3][x & 0xFF];
}

void FileCipher::EncryptBlock(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = 0; i < kRounds; ++i) {
        l ^= m_p[i];
        r ^= Round(l);
        std::swap(l, r);
    }
    std::swap(l, r); // undo the last round's swap
    r ^= m_p[kRounds];
    l ^= m_p[kRounds + 1];
    left = l;
    right = r;
}

void FileCipher::DecryptBlock(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = kRounds + 1; i > 1; --i) {
        l ^= m_p[i];
        r ^= Round(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= m_p[1];
    l ^= m_p[0];
    left = l;
    right = r;
}

bool FileCipher::CipherSetKey(QByteArrayView key)
{
    m_keyed = false;
    const qsizetype cycle = key.size() % kKeyLengthModulus;
    if (cycle == 0)
        return false;

    m_p = CipherTables::kInitialSubkeys;
    m_s = CipherTables::kInitialBoxes;

    qsizetype k = 0;
    for (std::uint32_t &subkey : m_p) {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = word << 8 | std::uint8_t(key[k]);
            k = (k + 1) % cycle;
        }
        subkey ^= word;
    }

    std::uint32_t l = 0, r = 0;
    for (int i = 0; i < CipherTables::kSubkeyCount; i += 2) {
        EncryptBlock(l, r);
        m_p[i] = l;
        m_p[i + 1] = r;
    }
    for (auto &box : m_s) {
        for (int i = 0; i < CipherTables::kBoxSize; i += 2) {
            EncryptBlock(l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }

    if (BoxesHaveRepeats())
        return false;
    m_keyed = true;
    return true;
}

bool FileCipher::BoxesHaveRepeats() const
{
    for (const auto &box : m_s) {
        auto sorted = box;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
            return true;
    }
    return false;
}

void FileCipher::EncryptBlocks(char *data, qsizetype size) const
{
    for (qsizetype at = 0; at + kBlockBytes <= size; at += kBlockBytes) {
        std::uint32_t l = ReadLittleEndian(data + at), r = ReadLittleEndian(data + at + 4);
        EncryptBlock(l, r);
        WriteLittleEndian(data + at, l);
        WriteLittleEndian(data + at + 4, r);
    }
}

void FileCipher::DecryptBlocks(char *data, qsizetype size) const
{
    for (qsizetype at = 0; at + kBlockBytes <= size; at += kBlockBytes) {
        std::uint32_t l = ReadLittleEndian(data + at), r = ReadLittleEndian(data + at + 4);
        DecryptBlock(l, r);
        WriteLittleEndian(data + at, l);
        WriteLittleEndian(data + at + 4, r);
    }
}

QByteArray CipherPadding(qsizetype size)
{
    const int n = int(FileCipher::kBlockBytes - (size + 1) % FileCipher::kBlockBytes);
    QByteArray padding(n, '\x01');
    padding.append(char(n));
    return padding;
}

bool IsCipherKeyAccepted(QByteArrayView key)
{
    FileCipher cipher;
    return cipher.CipherSetKey(key);
}

bool EncryptStream(QByteArray &buffer, QByteArrayView key)
{
    if (buffer.isEmpty())
        return false;
    FileCipher cipher;
    if (!cipher.CipherSetKey(key))
        return false;
    buffer.append(CipherPadding(buffer.size()));
    cipher.EncryptBlocks(buffer.data(), buffer.size());
    return true;
}

bool DecryptStream(QByteArray &buffer, QByteArrayView key)
{
    if (buffer.isEmpty())
        return false;
    FileCipher cipher;
    if (!cipher.CipherSetKey(key))
        return false;
    cipher.DecryptBlocks(buffer.data(), buffer.size());
    return true;
}
