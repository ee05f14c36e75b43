// The compressor's match finder as it runs in LzhCompress.
//
// Why it is still the trie. Streams must stay byte for byte what the
// reference coder writes, and that coder's choice among equally long matches
// is not a rule about the strings: a match points at the position stored in
// the trie node where the comparison ends, and those positions are updated
// lazily (an insertion that continues the previous match starts deep in the
// trie and leaves its ancestors a pending mark instead of the new position).
// Compared against a brute-force search over the parse of a few hundred
// kilobytes of text, about one match in twenty-five points further back than
// the nearest equally long string, at ranks one to twenty behind it, and
// "nearest string not inserted by a continuation" misses most of them. So a
// hash-chain or binary-tree finder cannot name the same position without
// keeping the trie's nodes and marks anyway. This finder keeps the same
// nodes, depths, positions and pending marks, step for step, and changes only
// how they are stored.
//
// Where the time went, and what changed. The trie is a chase of dependent
// loads. PatriciaMatchFinder finds a child through a hash head and a chain of
// siblings that share it, checking each one's parent, and climbs parents
// through one table and depths through another. Here a child is one probe of
// an open-addressed table keyed by (parent, byte), kept at most half full, and
// an internal node's depth, child count, position and parent share one eight
// byte record, so a climb or a descent reads one line per node. Leaves keep
// only their parent and, once a newer copy of the same 256 bytes replaced
// them, that copy. Without sibling chains a removal finds its link again
// from the edge byte, which is the dropped string's byte at its parent's
// depth and still in the window.
//
// Node numbers are identities only (which free node a split takes changes
// nothing), so the free list is a stack.

#include "notes/LzhFastMatchFinder.h"
#include <bit>
#include <cstring>

namespace lzh {

namespace {

int FirstDifferingByte(std::uint64_t x, std::uint64_t y)
{
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(x ^ y) >> 3;
    else
        return std::countl_zero(x ^ y) >> 3;
}

} // namespace

FastMatchFinder::FastMatchFinder()
{
    for (int byte = 0; byte < 256; ++byte) {
        m_node[kRootBase + byte].depth = 1;
        m_node[kRootBase + byte].position = kNone;
    }
    for (int i = 0; i < kDictionaryBytes - 1; ++i)
        m_free[i] = std::uint16_t(kDictionaryBytes - 1 - i);
    m_freeCount = kDictionaryBytes - 1;
}

inline int FastMatchFinder::Find(std::uint32_t key) const
{
    for (unsigned i = Home(key);; i = (i + 1) & kSlotMask) {
        const std::uint32_t k = m_slot[i].key;
        if (k == key)
            return int(i);
        if (k == 0)
            return -1;
    }
}

inline void FastMatchFinder::SetParent(unsigned x, unsigned parent)
{
    if (x >= kRootBase)
        m_leaf[x - kRootBase].parent = std::uint16_t(parent);
    else
        m_node[x].parent = std::uint16_t(parent);
}

inline void FastMatchFinder::Add(unsigned parent, unsigned byte, unsigned child)
{
    const std::uint32_t key = Key(parent, byte);
    unsigned i = Home(key);
    while (m_slot[i].key != 0)
        i = (i + 1) & kSlotMask;
    m_slot[i] = {key, child};
    SetParent(child, parent);
    ++m_node[parent].childCount;
}

// Linear probing without tombstones: later entries of the run move back
// into the hole when their home allows it.
inline void FastMatchFinder::Erase(unsigned hole)
{
    unsigned i = hole;
    for (;;) {
        i = (i + 1) & kSlotMask;
        const std::uint32_t key = m_slot[i].key;
        if (key == 0)
            break;
        const unsigned home = Home(key);
        // Movable unless its home lies cyclically in (hole, i].
        if (((i - home) & kSlotMask) >= ((i - hole) & kSlotMask)) {
            m_slot[hole] = m_slot[i];
            hole = i;
        }
    }
    m_slot[hole].key = 0;
}

// A new internal node of the current match depth takes `old`'s place under
// `parent`, with `old` and the new string's leaf as its children.
inline void FastMatchFinder::Split(unsigned old, int oldSlot, unsigned parent, int position)
{
    const unsigned node = m_free[--m_freeCount];
    if (oldSlot < 0)
        oldSlot = Find(Key(parent, m_text[position + m_node[parent].depth]));
    m_slot[oldSlot].child = node;
    m_node[node] = {std::uint16_t(m_matchLength), 0, std::uint16_t(position), std::uint16_t(parent)};
    Add(node, m_text[m_matchPosition + m_matchLength], old);
    Add(node, m_text[position + m_matchLength], unsigned(position));
}

inline void FastMatchFinder::InsertAt(int position)
{
    unsigned q, r;
    int rSlot = -1; // where r hangs under q, once looked up
    if (m_matchLength >= 4) {
        // Continue the previous match from the deepest node on the path of
        // the string after it that is shorter than what still matches.
        --m_matchLength;
        r = unsigned(m_matchPosition + 1) | kDictionaryBytes;
        while ((q = m_leaf[r - kRootBase].parent) == kNone)
            r = m_leaf[r - kRootBase].replacedBy;
        while (m_node[q].depth >= m_matchLength) {
            r = q;
            q = m_node[q].parent;
        }
        unsigned t = q;
        while (m_node[t].position & kPending) {
            m_node[t].position = std::uint16_t(position);
            t = m_node[t].parent;
        }
        if (t < kDictionaryBytes)
            m_node[t].position = std::uint16_t(position | kPending);
    } else {
        q = m_text[position] + kRootBase;
        const unsigned c = m_text[position + 1];
        rSlot = Find(Key(q, c));
        if (rSlot < 0) {
            Add(q, c, unsigned(position));
            m_matchLength = 1;
            return;
        }
        r = m_slot[rSlot].child;
        m_matchLength = 2;
    }
    const std::uint8_t *a = &m_text[position];
    for (;;) {
        int limit;
        if (r >= kDictionaryBytes) {
            limit = kMaxMatch;
            m_matchPosition = int(r);
        } else {
            limit = m_node[r].depth;
            m_matchPosition = m_node[r].position & ~kPending;
        }
        if (m_matchPosition >= position)
            m_matchPosition -= kDictionaryBytes;
        const std::uint8_t *b = &m_text[m_matchPosition];
        int n = m_matchLength;
        while (n + 8 <= limit) {
            std::uint64_t x, y;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (x != y) {
                m_matchLength = n + FirstDifferingByte(x, y);
                Split(r, rSlot, q, position);
                return;
            }
            n += 8;
        }
        while (n < limit) {
            if (a[n] != b[n]) {
                m_matchLength = n;
                Split(r, rSlot, q, position);
                return;
            }
            ++n;
        }
        m_matchLength = n;
        if (n >= kMaxMatch)
            break;
        m_node[r].position = std::uint16_t(position);
        q = r;
        rSlot = Find(Key(q, a[n]));
        if (rSlot < 0) {
            Add(q, a[n], unsigned(position));
            return;
        }
        r = m_slot[rSlot].child;
        ++m_matchLength;
    }
    // The same 256 bytes are already in the trie: the new leaf takes the old
    // one's place, and the old one points at it.
    if (rSlot < 0)
        rSlot = Find(Key(q, m_text[position + m_node[q].depth]));
    m_slot[rSlot].child = unsigned(position);
    m_leaf[position - kRootBase].parent = std::uint16_t(q);
    m_leaf[r - kRootBase] = {kNone, std::uint16_t(position)};
}

inline void FastMatchFinder::RemoveAt(int position)
{
    Leaf &leaf = m_leaf[position - kRootBase];
    const unsigned r = leaf.parent;
    if (r == kNone)
        return;
    leaf.parent = kNone;
    Erase(unsigned(Find(Key(r, m_text[position - kDictionaryBytes + m_node[r].depth]))));
    if (r >= kDictionaryBytes || --m_node[r].childCount > 1)
        return;
    // r is left with one child: hand its position up, then splice the child
    // into r's place and free r.
    int t = m_node[r].position & ~kPending;
    if (t >= position)
        t -= kDictionaryBytes;
    int s = t;
    unsigned q = m_node[r].parent;
    int u;
    while ((u = m_node[q].position) & kPending) {
        u &= ~kPending;
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_node[q].position = std::uint16_t(s | kDictionaryBytes);
        q = m_node[q].parent;
    }
    if (q < kDictionaryBytes) {
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_node[q].position = std::uint16_t(s | kDictionaryBytes | kPending);
    }
    const int childSlot = Find(Key(r, m_text[t + m_node[r].depth]));
    const unsigned child = m_slot[childSlot].child;
    Erase(unsigned(childSlot));
    const unsigned parent = m_node[r].parent;
    m_slot[Find(Key(parent, m_text[t + m_node[parent].depth]))].child = child;
    SetParent(child, parent);
    m_node[r].parent = kNone;
    m_free[m_freeCount++] = std::uint16_t(r);
}

void FastMatchFinder::Insert(int position)
{
    InsertAt(position);
}

void FastMatchFinder::Step(int position)
{
    RemoveAt(position);
    InsertAt(position);
}

} // namespace lzh
