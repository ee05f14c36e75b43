#pragma once
// Huffman codes of the lh5 stream: building a code from frequencies (the
// compressor) and building decoding tables from code lengths (the expander).

#include "notes/LzhFormat.h"
#include <cstdint>
#include <cstring>
#include <iterator>

namespace lzh {

// Builds the code of an alphabet of `symbols` symbols from their
// frequencies. `frequencies` must have room for 2 * symbols - 1 entries: the
// internal nodes' sums are stored behind the symbols, so that the root's
// entry holds the total. Returns the root: a node number >= symbols when
// two or more symbols occur, else the only symbol (0 when none occurs), whose
// code then has zero bits and all lengths stay 0.
int MakeHuffmanCode(int symbols, std::uint32_t *frequencies, std::uint8_t *lengths, std::uint16_t *codes);

// Fills a decoding table from untrusted code lengths. Codes of up to
// tableBits bits fill every table slot they prefix; longer codes continue in
// a binary tree whose nodes are numbered from `symbols` up, with children in
// left/right (room for 2 * symbols entries each). Returns false unless the
// lengths (each 0..16) form a complete prefix code.
bool BuildDecodeTable(int symbols, const std::uint8_t *lengths, int tableBits, std::uint16_t *table,
                      std::uint16_t *left, std::uint16_t *right);

// A decoding table with the lengths it was built from.
template <int Symbols, int TableBits>
struct HuffmanDecoder {
    std::uint16_t table[1 << TableBits];
    std::uint16_t left[2 * Symbols];
    std::uint16_t right[2 * Symbols];
    std::uint8_t lengths[Symbols];

    bool Build() { return BuildDecodeTable(Symbols, lengths, TableBits, table, left, right); }

    // The one-symbol form: every bit pattern decodes to `symbol` in zero bits.
    void SetSingle(int symbol)
    {
        std::memset(lengths, 0, sizeof lengths);
        table[0] = std::uint16_t(symbol);
        for (std::size_t filled = 1; filled < std::size(table); filled *= 2)
            std::memcpy(table + filled, table, filled * sizeof table[0]);
    }

    // The symbol at the top of `bits` (the next stream bits, most
    // significant first); the caller then consumes lengths[symbol] bits.
    int Decode(std::uint64_t bits) const
    {
        int symbol = table[bits >> (64 - TableBits)];
        if (symbol >= Symbols) {
            std::uint64_t mask = std::uint64_t(1) << (63 - TableBits);
            do {
                symbol = (bits & mask) ? right[symbol] : left[symbol];
                mask >>= 1;
            } while (symbol >= Symbols);
        }
        return symbol;
    }
};

} // namespace lzh
