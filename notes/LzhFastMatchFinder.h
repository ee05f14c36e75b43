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
    static constexpr std::uint16_t kPending = 0x8000;
    // Child links: the children of all nodes hang in sibling chains behind
    // hash heads of (parent, byte); for one parent every byte has its own
    // head, so a chain holds at most one child of any parent. A `previous`
    // at or above kHeadBase names a head rather than a record.
    static constexpr int kHeadBits = 15;
    static constexpr unsigned kHeadMask = (1u << kHeadBits) - 1;
    static constexpr unsigned kHeadBase = 2 * kDictionaryBytes;

    // One record per number: the link fields of a leaf or an internal node,
    // and the node fields of an internal node or a root (roots share their
    // numbers with leaves but use the other half of the record).
    struct Record {
        std::uint16_t next;
        std::uint16_t parent;
        std::uint16_t previous;
        std::uint16_t depth;
        std::uint16_t childCount;
        std::uint16_t position;
        std::uint16_t unused[2];
    };

    static unsigned Head(unsigned node, unsigned byte)
    {
        return (((node * 0x9E3779B1u) >> (32 - kHeadBits)) + byte) & kHeadMask;
    }
    unsigned Child(unsigned node, unsigned byte) const;
    void SetNext(unsigned link, unsigned next);
    void MakeChild(unsigned node, unsigned byte, unsigned child);
    void Split(unsigned old, int position);
    void InsertAt(int position);
    void RemoveAt(int position);

    int m_matchLength = 0;
    int m_matchPosition = 0;
    unsigned m_freeNode = 1;
    std::uint8_t m_text[kWindowBytes] = {};
    Record m_record[2 * kDictionaryBytes] = {};
    std::uint16_t m_head[1u << kHeadBits] = {};
};

} // namespace lzh
