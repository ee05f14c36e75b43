#pragma once
// Constants of the lh5 bit stream and of the working memory that reads and
// writes it, in one place with their units.

#include <cstdint>

namespace lzh {

// Sliding dictionary: matches reach at most this many bytes back; window
// indices of both coder and decoder are taken modulo this size.
inline constexpr int kDictionaryBits = 13;
inline constexpr int kDictionaryBytes = 1 << kDictionaryBits; // 8192

// Match lengths in bytes. Shorter repeats are sent as literals.
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 256;

// Alphabets, in symbols.
// Literal/length: 0..255 literal bytes, 256..509 match lengths 3..256.
inline constexpr int kLiteralLengthSymbols = 256 + kMaxMatch - kMinMatch + 1; // 510
inline constexpr int kFirstLengthSymbol = 256;
inline constexpr int kLengthSymbolBias = kFirstLengthSymbol - kMinMatch; // symbol = length + 253
// Position slots: the bit length of (distance - 1), 0..13.
inline constexpr int kPositionSymbols = kDictionaryBits + 1; // 14
// Code-length code: 0..2 code runs of zero lengths, 3..18 the lengths 1..16.
inline constexpr int kCodeLengthSymbols = 19;

// Widths of the fields that count code lengths in a block head, in bits.
inline constexpr int kLiteralLengthCountBits = 9;
inline constexpr int kCodeLengthCountBits = 5;
inline constexpr int kPositionCountBits = 4;
// Index after which the code-length code sends a 2-bit count of skipped zeros.
inline constexpr int kCodeLengthSkipIndex = 3;
// Field holding the number of literal/length symbols of a block, in bits.
inline constexpr int kBlockSizeBits = 16;

// Longest Huffman code, in bits.
inline constexpr int kMaxCodeLength = 16;

// Primary decoding table widths, in bits; longer codes continue in a tree.
inline constexpr int kLiteralLengthTableBits = 12;
inline constexpr int kSmallTableBits = 8;

// Compressor block buffer in bytes, and the fill at which a block is sent
// before the next group of eight items (one flag byte and up to 8 x 3 bytes).
inline constexpr int kBlockBufferBytes = 16384;
inline constexpr int kBlockBufferLimit = kBlockBufferBytes - 3 * 8; // 16360

// Buffered reads and writes of both directions, in bytes.
inline constexpr int kIoBufferBytes = 8192;

// The stream header: uncompressed size, signed 32-bit little-endian.
inline constexpr int kHeaderBytes = 4;

} // namespace lzh
