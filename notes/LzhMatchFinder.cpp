// The compressor's match finder: a Patricia trie over the window.
//
// Why a trie and why this one. The compressed stream has to be exactly the
// stream that the format's reference coder writes, and that coder's parse
// depends not only on the lengths of the longest matches but on which of the
// equally long earlier strings a match points at. Only the reference trie
// picks the same string, so its structure is kept as it is: internal nodes
// from a free list, one root per first byte, leaves named by their window
// position, child links found through a hash of (node, next byte) into
// chains of siblings, and a node position that each insertion passing the
// node overwrites. The match position is the position stored in the node
// where the comparison ends, which is the most recent string that went
// through that node, not necessarily the nearest one.
//
// What makes it fast is that a trie walk compares each byte of the new
// string only against one earlier string, and that a long match at the
// previous position is continued rather than searched again: the string one
// byte after the previous match shares all but one of its bytes with the new
// one, so the walk starts at the deepest node on that string's path whose
// depth is below the known length. Nodes skipped by that shortcut do not see
// the new position; it is left pending on the node where the walk starts and
// handed up to the parents lazily (on a later pass through them, or when a
// node is removed), so the positions stay recent without a walk to the root.
//
// Every position is stored modulo the dictionary, plus 8192: after the
// window moves down by 8192 bytes the stored numbers need no rewriting, and a
// stored position at or beyond the current one simply means 8192 bytes back.

#include "notes/LzhMatchFinder.h"
#include <bit>
#include <cstring>

namespace lzh {

namespace {

// Index of the first differing byte of two 8-byte loads.
int FirstDifferingByte(std::uint64_t x, std::uint64_t y)
{
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(x ^ y) >> 3;
    else
        return std::countl_zero(x ^ y) >> 3;
}

} // namespace

PatriciaMatchFinder::PatriciaMatchFinder()
{
    for (int byte = 0; byte < 256; ++byte) {
        m_node[kRootBase + byte].depth = 1;
        m_node[kRootBase + byte].position = kNone;
    }
    for (int i = 1; i < kDictionaryBytes - 1; ++i)
        m_link[i].next = std::uint16_t(i + 1);
    m_link[kDictionaryBytes - 1].next = kNone;
    m_freeNode = 1;
}

inline unsigned PatriciaMatchFinder::Child(unsigned node, unsigned byte) const
{
    unsigned r = m_link[Hash(node, byte)].next;
    while (r != kNone && m_link[r].parent != node)
        r = m_link[r].next;
    return r;
}

inline void PatriciaMatchFinder::MakeChild(unsigned node, unsigned byte, unsigned child)
{
    const unsigned head = Hash(node, byte);
    const unsigned first = m_link[head].next;
    m_link[head].next = std::uint16_t(child);
    m_link[child].next = std::uint16_t(first);
    m_link[first].previous = std::uint16_t(child);
    m_link[child].previous = std::uint16_t(head);
    m_link[child].parent = std::uint16_t(node);
    ++m_node[node].childCount;
}

// Puts a new internal node of the current match depth between `old` and its
// parent, with `old` and the new string's leaf as its two children.
inline void PatriciaMatchFinder::Split(unsigned old, unsigned position)
{
    const unsigned node = m_freeNode;
    m_freeNode = m_link[node].next;
    m_node[node].childCount = 0;
    unsigned t = m_link[old].previous;
    m_link[node].previous = std::uint16_t(t);
    m_link[t].next = std::uint16_t(node);
    t = m_link[old].next;
    m_link[node].next = std::uint16_t(t);
    m_link[t].previous = std::uint16_t(node);
    m_link[node].parent = m_link[old].parent;
    m_node[node].depth = std::uint16_t(m_matchLength);
    m_node[node].position = std::uint16_t(position);
    MakeChild(node, m_text[m_matchPosition + m_matchLength], old);
    MakeChild(node, m_text[position + m_matchLength], position);
}

inline void PatriciaMatchFinder::InsertAt(int position)
{
    int q, r;
    if (m_matchLength >= 4) {
        // Continue the previous match: start below the deepest node on the
        // path of the string after the previous match whose depth is short
        // of the length still known to match.
        --m_matchLength;
        r = (m_matchPosition + 1) | kDictionaryBytes;
        while ((q = m_link[r].parent) == kNone)
            r = m_link[r].next; // that leaf was replaced by a newer copy
        while (m_node[q].depth >= m_matchLength) {
            r = q;
            q = m_link[q].parent;
        }
        int t = q;
        while (m_node[t].position & kPending) {
            m_node[t].position = std::uint16_t(position);
            t = m_link[t].parent;
        }
        if (t < kDictionaryBytes)
            m_node[t].position = std::uint16_t(position | kPending);
    } else {
        q = m_text[position] + kRootBase;
        const int c = m_text[position + 1];
        r = Child(q, c);
        if (r == kNone) {
            MakeChild(q, c, position);
            m_matchLength = 1;
            return;
        }
        m_matchLength = 2;
    }
    for (;;) {
        int limit;
        if (r >= kDictionaryBytes) {
            limit = kMaxMatch;
            m_matchPosition = r;
        } else {
            limit = m_node[r].depth;
            m_matchPosition = m_node[r].position & ~kPending;
        }
        if (m_matchPosition >= position)
            m_matchPosition -= kDictionaryBytes;
        const std::uint8_t *a = &m_text[position];
        const std::uint8_t *b = &m_text[m_matchPosition];
        int n = m_matchLength;
        while (n + 8 <= limit) {
            std::uint64_t x, y;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (x != y) {
                n += FirstDifferingByte(x, y);
                m_matchLength = n;
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
        m_node[r].position = std::uint16_t(position);
        q = r;
        r = Child(q, a[n]);
        if (r == kNone) {
            MakeChild(q, a[n], position);
            return;
        }
        ++m_matchLength;
    }
    // A string of full match length is already in the trie: the new leaf
    // takes its place, and the old leaf points at its successor.
    int t = m_link[r].previous;
    m_link[position].previous = std::uint16_t(t);
    m_link[t].next = std::uint16_t(position);
    t = m_link[r].next;
    m_link[position].next = std::uint16_t(t);
    m_link[t].previous = std::uint16_t(position);
    m_link[position].parent = std::uint16_t(q);
    m_link[r].parent = kNone;
    m_link[r].next = std::uint16_t(position);
}

inline void PatriciaMatchFinder::RemoveAt(int position)
{
    if (m_link[position].parent == kNone)
        return;
    int r = m_link[position].previous;
    int s = m_link[position].next;
    m_link[r].next = std::uint16_t(s);
    m_link[s].previous = std::uint16_t(r);
    r = m_link[position].parent;
    m_link[position].parent = kNone;
    if (r >= kDictionaryBytes || --m_node[r].childCount > 1)
        return;
    // r is left with one child: hand its position up, then splice the child
    // into r's place and free r.
    int t = m_node[r].position & ~kPending;
    if (t >= position)
        t -= kDictionaryBytes;
    s = t;
    int q = m_link[r].parent;
    int u;
    while ((u = m_node[q].position) & kPending) {
        u &= ~kPending;
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_node[q].position = std::uint16_t(s | kDictionaryBytes);
        q = m_link[q].parent;
    }
    if (q < kDictionaryBytes) {
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_node[q].position = std::uint16_t(s | kDictionaryBytes | kPending);
    }
    s = Child(r, m_text[t + m_node[r].depth]);
    t = m_link[s].previous;
    u = m_link[s].next;
    m_link[t].next = std::uint16_t(u);
    m_link[u].previous = std::uint16_t(t);
    t = m_link[r].previous;
    m_link[t].next = std::uint16_t(s);
    m_link[s].previous = std::uint16_t(t);
    t = m_link[r].next;
    m_link[t].previous = std::uint16_t(s);
    m_link[s].next = std::uint16_t(t);
    m_link[s].parent = m_link[r].parent;
    m_link[r].parent = kNone;
    m_link[r].next = std::uint16_t(m_freeNode);
    m_freeNode = r;
}

void PatriciaMatchFinder::Insert(int position)
{
    InsertAt(position);
}

void PatriciaMatchFinder::Step(int position)
{
    RemoveAt(position);
    InsertAt(position);
}

} // namespace lzh
