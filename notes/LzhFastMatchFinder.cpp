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
// loads. PatriciaMatchFinder finds a child through a hash head shared by
// many (node, byte) pairs, so a lookup walked past one sibling on average
// beyond the head, checking parents, and then read the depth and
// position from a second table; a climb read the parent from one table and
// the depth from the other. Here the head is picked by a multiplicative hash
// of the parent plus the byte (distinct for the bytes of one parent, spread
// over 32768 heads, so chains are short), and the link fields and the node
// fields of a number share one 16-byte record: the record that a chain walk
// reads to check the parent already holds the depth and position the
// descent needs next, and a climb reads one record per node.
//
// An open-addressed (parent, byte) table was tried first: lookups took one
// probe, but a removal then needs a lookup of its own and a shifting
// delete, where a sibling chain unlinks in place, and it came out slower
// than the original trie. The chains stayed.
//
// Node numbers are identities only: which free node a split takes changes
// nothing but where the records lie.

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
        m_record[kRootBase + byte].depth = 1;
        m_record[kRootBase + byte].position = kNone;
    }
    for (int i = 1; i < kDictionaryBytes - 1; ++i)
        m_record[i].next = std::uint16_t(i + 1);
    m_record[kDictionaryBytes - 1].next = kNone;
    m_freeNode = 1;
}

inline unsigned FastMatchFinder::Child(unsigned node, unsigned byte) const
{
    unsigned r = m_head[Head(node, byte)];
    while (r != kNone && m_record[r].parent != node)
        r = m_record[r].next;
    return r;
}

inline void FastMatchFinder::SetNext(unsigned link, unsigned next)
{
    if (link >= kHeadBase)
        m_head[link - kHeadBase] = std::uint16_t(next);
    else
        m_record[link].next = std::uint16_t(next);
}

inline void FastMatchFinder::MakeChild(unsigned node, unsigned byte, unsigned child)
{
    const unsigned head = Head(node, byte);
    const unsigned first = m_head[head];
    m_head[head] = std::uint16_t(child);
    Record &c = m_record[child];
    c.next = std::uint16_t(first);
    m_record[first].previous = std::uint16_t(child);
    c.previous = std::uint16_t(kHeadBase + head);
    c.parent = std::uint16_t(node);
    ++m_record[node].childCount;
}

// A new internal node of the current match depth takes `old`'s place among
// its siblings, with `old` and the new string's leaf as its children.
inline void FastMatchFinder::Split(unsigned old, int position)
{
    const unsigned node = m_freeNode;
    Record &n = m_record[node];
    const Record &o = m_record[old];
    m_freeNode = n.next;
    n.childCount = 0;
    n.previous = o.previous;
    SetNext(o.previous, node);
    n.next = o.next;
    m_record[o.next].previous = std::uint16_t(node);
    n.parent = o.parent;
    n.depth = std::uint16_t(m_matchLength);
    n.position = std::uint16_t(position);
    MakeChild(node, m_text[m_matchPosition + m_matchLength], old);
    MakeChild(node, m_text[position + m_matchLength], unsigned(position));
}

inline void FastMatchFinder::InsertAt(int position)
{
    unsigned q, r;
    if (m_matchLength >= 4) {
        // Continue the previous match from the deepest node on the path of
        // the string after it that is shorter than what still matches.
        --m_matchLength;
        r = unsigned(m_matchPosition + 1) | kDictionaryBytes;
        while ((q = m_record[r].parent) == kNone)
            r = m_record[r].next; // that leaf was replaced by a newer copy
        while (m_record[q].depth >= m_matchLength) {
            r = q;
            q = m_record[q].parent;
        }
        unsigned t = q;
        while (m_record[t].position & kPending) {
            m_record[t].position = std::uint16_t(position);
            t = m_record[t].parent;
        }
        if (t < kDictionaryBytes)
            m_record[t].position = std::uint16_t(position | kPending);
    } else {
        q = m_text[position] + kRootBase;
        const unsigned c = m_text[position + 1];
        r = Child(q, c);
        if (r == kNone) {
            MakeChild(q, c, unsigned(position));
            m_matchLength = 1;
            return;
        }
        m_matchLength = 2;
    }
    const std::uint8_t *a = &m_text[position];
    for (;;) {
        int limit;
        if (r >= kDictionaryBytes) {
            limit = kMaxMatch;
            m_matchPosition = int(r);
        } else {
            limit = m_record[r].depth;
            m_matchPosition = m_record[r].position & ~kPending;
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
                Split(r, position);
                return;
            }
            n += 8;
        }
        while (n < limit) {
            if (a[n] != b[n]) {
                m_matchLength = n;
                Split(r, position);
                return;
            }
            ++n;
        }
        m_matchLength = n;
        if (n >= kMaxMatch)
            break;
        m_record[r].position = std::uint16_t(position);
        q = r;
        r = Child(q, a[n]);
        if (r == kNone) {
            MakeChild(q, a[n], unsigned(position));
            return;
        }
        ++m_matchLength;
    }
    // The same 256 bytes are already in the trie: the new leaf takes the old
    // one's place, and the old one points at it.
    Record &leaf = m_record[position];
    Record &old = m_record[r];
    leaf.previous = old.previous;
    SetNext(old.previous, unsigned(position));
    leaf.next = old.next;
    m_record[old.next].previous = std::uint16_t(position);
    leaf.parent = std::uint16_t(q);
    old.parent = kNone;
    old.next = std::uint16_t(position);
}

inline void FastMatchFinder::RemoveAt(int position)
{
    Record &leaf = m_record[position];
    if (leaf.parent == kNone)
        return;
    SetNext(leaf.previous, leaf.next);
    m_record[leaf.next].previous = leaf.previous;
    const unsigned r = leaf.parent;
    leaf.parent = kNone;
    if (r >= kDictionaryBytes || --m_record[r].childCount > 1)
        return;
    // r is left with one child: hand its position up, then splice the child
    // into r's place and free r.
    int t = m_record[r].position & ~kPending;
    if (t >= position)
        t -= kDictionaryBytes;
    int s = t;
    unsigned q = m_record[r].parent;
    int u;
    while ((u = m_record[q].position) & kPending) {
        u &= ~kPending;
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_record[q].position = std::uint16_t(s | kDictionaryBytes);
        q = m_record[q].parent;
    }
    if (q < kDictionaryBytes) {
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_record[q].position = std::uint16_t(s | kDictionaryBytes | kPending);
    }
    const unsigned child = Child(r, m_text[t + m_record[r].depth]);
    Record &c = m_record[child];
    SetNext(c.previous, c.next);
    m_record[c.next].previous = c.previous;
    Record &node = m_record[r];
    SetNext(node.previous, child);
    c.previous = node.previous;
    m_record[node.next].previous = std::uint16_t(child);
    c.next = node.next;
    c.parent = node.parent;
    node.parent = kNone;
    node.next = std::uint16_t(m_freeNode);
    m_freeNode = r;
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
