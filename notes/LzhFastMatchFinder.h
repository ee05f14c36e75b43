#pragma once
// The compressor's match finder: the same Patricia trie as
// PatriciaMatchFinder, node for node and position for position, laid out for
// fewer dependent memory reads per step.

#include "notes/LzhFormat.h"
#include <cstdint>

namespace lzh {

class FastMatchFinder {
public:
    static constexpr int kWindowBytes = 2 * kDictionaryBytes + kMaxMatch;

    FastMatchFinder();

    std::uint8_t *Text() { return m_text; }

    // The same contract as PatriciaMatchFinder's.
    void Insert(int position);
    void Step(int position);

    int MatchLength() const { return m_matchLength; }
    int MatchPosition() const { return m_matchPosition; }
    void ClampMatchLength(int limit)
    {
        if (m_matchLength > limit)
            m_matchLength = limit;
    }

private:
    // Node numbers as in PatriciaMatchFinder: 0 none, 1..8191 internal
    // nodes, 8192 + b roots, 8192..16383 leaves (window position | 8192).
    static constexpr unsigned kNone = 0;
    static constexpr unsigned kRootBase = kDictionaryBytes;
    static constexpr int kNodeSlots = kDictionaryBytes + 256;
    static constexpr std::uint16_t kPending = 0x8000;
    // Child links: (parent, next byte) -> child in an open-addressed table
    // at most half full (8191 nodes and 8192 leaves have a parent).
    static constexpr int kSlotBits = 15;
    static constexpr unsigned kSlotMask = (1u << kSlotBits) - 1;

    struct Node {
        std::uint16_t depth;
        std::uint16_t childCount;
        std::uint16_t position;
        std::uint16_t parent;
    };
    struct Leaf {
        std::uint16_t parent;     // kNone once dropped or replaced
        std::uint16_t replacedBy; // the newer leaf of the same 256 bytes
    };
    struct Slot {
        std::uint32_t key; // parent << 8 | byte; 0 is empty (parents are never 0)
        std::uint32_t child;
    };

    static std::uint32_t Key(unsigned parent, unsigned byte) { return parent << 8 | byte; }
    static unsigned Home(std::uint32_t key) { return (key * 0x9E3779B1u) >> (32 - kSlotBits); }
    int Find(std::uint32_t key) const;
    void Add(unsigned parent, unsigned byte, unsigned child);
    void Erase(unsigned slot);
    unsigned Parent(unsigned x) const { return x >= kRootBase ? m_leaf[x - kRootBase].parent : m_node[x].parent; }
    void SetParent(unsigned x, unsigned parent);
    void Split(unsigned old, int oldSlot, unsigned parent, int position);
    void InsertAt(int position);
    void RemoveAt(int position);

    int m_matchLength = 0;
    int m_matchPosition = 0;
    int m_freeCount = 0;
    std::uint8_t m_text[kWindowBytes] = {};
    Node m_node[kNodeSlots] = {};
    Leaf m_leaf[kDictionaryBytes] = {};
    std::uint16_t m_free[kDictionaryBytes] = {};
    Slot m_slot[1u << kSlotBits] = {};
};

} // namespace lzh
