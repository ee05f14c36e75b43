#pragma once
// The block cipher of encrypted consultation files and of an encrypted notes
// container: Blowfish with 16 rounds in electronic-codebook mode.
//
// Two habits of the file format shape this unit. Each 8-byte block is read
// as two 32-bit words in little-endian order (first word = left half), which
// differs from the byte order of the usual Blowfish test vectors; the tests
// convert those. And the key's length is an 8-bit count: a key of 256 bytes
// cycles like an empty one, so such keys are refused here instead of keying
// the cipher with nothing.
//
// The key set-up ends with a weak-key test: a key that leaves two equal
// entries in any box is refused. Callers must never fall back to writing
// plain bytes when a key is refused; EncryptStream leaves the buffer as it
// was and says so.
//
// The state is set up anew from the key for every stream; nothing is carried
// from one operation to the next, so each stream uses its own FileCipher.

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace CipherTables {
inline constexpr int kSubkeyCount = 18; // P1..P18
inline constexpr int kBoxCount = 4;
inline constexpr int kBoxSize = 256; // words per box
extern const std::array<std::uint32_t, kSubkeyCount> kInitialSubkeys;
extern const std::array<std::array<std::uint32_t, kBoxSize>, kBoxCount> kInitialBoxes;
} // namespace CipherTables

class FileCipher {
public:
    static constexpr int kRounds = 16;
    static constexpr qsizetype kBlockBytes = 8;
    // Only the key's length modulo 256 is used for its cycle.
    static constexpr qsizetype kKeyLengthModulus = 256;

    // Sets up the subkeys and boxes from the key. False when the key is
    // refused (length a multiple of 256, or the weak-key test); the state is
    // then unusable until a later key is accepted.
    bool CipherSetKey(QByteArrayView key);
    bool isKeyed() const { return m_keyed; }

    using Box = std::array<std::uint32_t, CipherTables::kBoxSize>;
    // The boxes as the last set-up left them, refused or not.
    const std::array<Box, CipherTables::kBoxCount> &boxes() const { return m_s; }

    void EncryptBlock(std::uint32_t &left, std::uint32_t &right) const;
    void DecryptBlock(std::uint32_t &left, std::uint32_t &right) const;

    // In place over every whole 8-byte block of data; trailing bytes stay.
    void EncryptBlocks(char *data, qsizetype size) const;
    void DecryptBlocks(char *data, qsizetype size) const;

private:
    std::uint32_t Round(std::uint32_t x) const;
    bool BoxesHaveRepeats() const;

    std::array<std::uint32_t, CipherTables::kSubkeyCount> m_p{};
    std::array<Box, CipherTables::kBoxCount> m_s{};
    bool m_keyed = false;
};

// The padding appended before encryption: n bytes of 1 and the byte n, with
// n = 8 - ((size + 1) mod 8), so 1 to 8 bytes of 1 and size + n + 1 a
// multiple of 8.
QByteArray CipherPadding(qsizetype size);

// True when CipherSetKey would accept the key.
bool IsCipherKeyAccepted(QByteArrayView key);

// When the buffer is not empty and the key is accepted: append the padding,
// encrypt every block in place and return true. Otherwise the buffer is left
// exactly as it was and the result is false.
bool EncryptStream(QByteArray &buffer, QByteArrayView key);

// When the buffer is not empty and the key is accepted: decrypt every whole
// block in place (bytes past the last whole block stay) and return true.
// The padding is not removed; the callers' formats end by their own counts.
bool DecryptStream(QByteArray &buffer, QByteArrayView key);
