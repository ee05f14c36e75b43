#pragma once
// The compressor's original match finder: a Patricia trie over the strings
// that start at the window positions of the last 8191 bytes. LzhCompress now
// runs FastMatchFinder; this one stays as the reference it must agree with.

#include "notes/LzhFormat.h"
#include <cstdint>

namespace lzh {

class PatriciaMatchFinder {
public:
    // The text window: positions kDictionaryBytes .. 2 * kDictionaryBytes - 1
    // are inserted; kMaxMatch bytes behind the last one are read ahead.
    static constexpr int kWindowBytes = 2 * kDictionaryBytes + kMaxMatch;

    PatriciaMatchFinder();

    std::uint8_t *Text() { return m_text; }

    // Inserts the string at `position` and finds the longest match for it.
    // On entry MatchLength() must be the match found at position - 1 (as
    // clamped by the caller; 0 at the start), which lets a long match
    // continue without a walk from the root; on return it is the new match's
    // length (1 when not even two bytes repeat) and MatchPosition() where it
    // starts: a window index, less than `position` and at most 8191 behind.
    void Insert(int position);
    // The next position: drops the string that the leaf of `position` still
    // names (the one a whole dictionary behind, leaving the window), then
    // inserts the new one as Insert does.
    void Step(int position);

    int MatchLength() const { return m_matchLength; }
    int MatchPosition() const { return m_matchPosition; }
    void ClampMatchLength(int limit)
    {
        if (m_matchLength > limit)
            m_matchLength = limit;
    }

private:
    // Node numbers: 0 is none, 1..8191 internal nodes, 8192 + b the root of
    // the strings that start with byte b, and 8192..16383 the leaves, named
    // by their window position modulo 8192 plus 8192 (roots and leaves share
    // numbers but never the same tables' entries).
    static constexpr int kNone = 0;
    static constexpr int kRootBase = kDictionaryBytes;
    static constexpr int kNodeSlots = kDictionaryBytes + 256; // internal nodes and roots
    // Child links are chained through `m_next` behind hash heads placed
    // after the node numbers: node + 16 * byte + 16384.
    static constexpr int kHashBase = 2 * kDictionaryBytes;
    static constexpr int kHashShift = kDictionaryBits - 9;
    static constexpr int kMaxHash = 3 * kDictionaryBytes + (kDictionaryBytes / 512 + 1) * 255;
    // Set on a node's position that its parent has not yet been told of.
    static constexpr std::uint16_t kPending = 0x8000;

    static unsigned Hash(unsigned node, unsigned byte) { return node + (byte << kHashShift) + kHashBase; }
    unsigned Child(unsigned node, unsigned byte) const;
    void MakeChild(unsigned node, unsigned byte, unsigned child);
    void Split(unsigned old, unsigned position);
    void InsertAt(int position);
    void RemoveAt(int position);

    // The links of a number kept side by side, so that a walk along a
    // sibling chain or up the parents touches one cache line per step.
    // `next` is the sibling chain (behind a hash head, or the free list);
    // hash heads use `next` only.
    struct Link {
        std::uint16_t next;
        std::uint16_t parent;
        std::uint16_t previous;
        std::uint16_t unused;
    };
    // Internal nodes and roots.
    struct Node {
        std::uint16_t depth;
        std::uint16_t childCount;
        std::uint16_t position;
        std::uint16_t unused;
    };

    int m_matchLength = 0;
    int m_matchPosition = 0;
    int m_freeNode = 1;
    std::uint8_t m_text[kWindowBytes] = {};
    Node m_node[kNodeSlots] = {};
    Link m_link[kMaxHash + 1] = {};
};

} // namespace lzh
