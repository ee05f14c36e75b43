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
        m_depth[kRootBase + byte] = 1;
        m_position[kRootBase + byte] = kNone;
    }
    for (int i = 1; i < kDictionaryBytes - 1; ++i)
        m_next[i] = std::uint16_t(i + 1);
    m_next[kDictionaryBytes - 1] = kNone;
    m_freeNode = 1;
}

int PatriciaMatchFinder::Child(int node, int byte)
{
    int r = m_next[Hash(node, byte)];
    m_parent[kNone] = std::uint16_t(node); // stops the walk at the chain's end
    while (m_parent[r] != node)
        r = m_next[r];
    return r;
}

void PatriciaMatchFinder::MakeChild(int node, int byte, int child)
{
    const int head = Hash(node, byte);
    const int first = m_next[head];
    m_next[head] = std::uint16_t(child);
    m_next[child] = std::uint16_t(first);
    m_previous[first] = std::uint16_t(child);
    m_previous[child] = std::uint16_t(head);
    m_parent[child] = std::uint16_t(node);
    ++m_childCount[node];
}

// Puts a new internal node of the current match depth between `old` and its
// parent, with `old` and the new string's leaf as its two children.
void PatriciaMatchFinder::Split(int old, int position)
{
    const int node = m_freeNode;
    m_freeNode = m_next[node];
    m_childCount[node] = 0;
    int t = m_previous[old];
    m_previous[node] = std::uint16_t(t);
    m_next[t] = std::uint16_t(node);
    t = m_next[old];
    m_next[node] = std::uint16_t(t);
    m_previous[t] = std::uint16_t(node);
    m_parent[node] = m_parent[old];
    m_depth[node] = std::uint16_t(m_matchLength);
    m_position[node] = std::uint16_t(position);
    MakeChild(node, m_text[m_matchPosition + m_matchLength], old);
    MakeChild(node, m_text[position + m_matchLength], position);
}

void PatriciaMatchFinder::Insert(int position)
{
    int q, r;
    if (m_matchLength >= 4) {
        // Continue the previous match: start below the deepest node on the
        // path of the string after the previous match whose depth is short
        // of the length still known to match.
        --m_matchLength;
        r = (m_matchPosition + 1) | kDictionaryBytes;
        while ((q = m_parent[r]) == kNone)
            r = m_next[r]; // that leaf was replaced by a newer copy
        while (m_depth[q] >= m_matchLength) {
            r = q;
            q = m_parent[q];
        }
        int t = q;
        while (m_position[t] & kPending) {
            m_position[t] = std::uint16_t(position);
            t = m_parent[t];
        }
        if (t < kDictionaryBytes)
            m_position[t] = std::uint16_t(position | kPending);
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
            limit = m_depth[r];
            m_matchPosition = m_position[r] & ~kPending;
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
        m_position[r] = std::uint16_t(position);
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
    int t = m_previous[r];
    m_previous[position] = std::uint16_t(t);
    m_next[t] = std::uint16_t(position);
    t = m_next[r];
    m_next[position] = std::uint16_t(t);
    m_previous[t] = std::uint16_t(position);
    m_parent[position] = std::uint16_t(q);
    m_parent[r] = kNone;
    m_next[r] = std::uint16_t(position);
}

void PatriciaMatchFinder::RemoveOldest(int position)
{
    if (m_parent[position] == kNone)
        return;
    int r = m_previous[position];
    int s = m_next[position];
    m_next[r] = std::uint16_t(s);
    m_previous[s] = std::uint16_t(r);
    r = m_parent[position];
    m_parent[position] = kNone;
    if (r >= kDictionaryBytes || --m_childCount[r] > 1)
        return;
    // r is left with one child: hand its position up, then splice the child
    // into r's place and free r.
    int t = m_position[r] & ~kPending;
    if (t >= position)
        t -= kDictionaryBytes;
    s = t;
    int q = m_parent[r];
    int u;
    while ((u = m_position[q]) & kPending) {
        u &= ~kPending;
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_position[q] = std::uint16_t(s | kDictionaryBytes);
        q = m_parent[q];
    }
    if (q < kDictionaryBytes) {
        if (u >= position)
            u -= kDictionaryBytes;
        if (u > s)
            s = u;
        m_position[q] = std::uint16_t(s | kDictionaryBytes | kPending);
    }
    s = Child(r, m_text[t + m_depth[r]]);
    t = m_previous[s];
    u = m_next[s];
    m_next[t] = std::uint16_t(u);
    m_previous[u] = std::uint16_t(t);
    t = m_previous[r];
    m_next[t] = std::uint16_t(s);
    m_previous[s] = std::uint16_t(t);
    t = m_next[r];
    m_previous[t] = std::uint16_t(s);
    m_next[s] = std::uint16_t(t);
    m_parent[s] = m_parent[r];
    m_parent[r] = kNone;
    m_next[r] = std::uint16_t(m_freeNode);
    m_freeNode = r;
}

} // namespace lzh
