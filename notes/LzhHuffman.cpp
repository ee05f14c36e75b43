// Huffman codes for the lh5 stream.
//
// The compressor's codes must come out bit for bit as the format's reference
// coder makes them, because the expander on the other side only sees the
// lengths, but a stream is compared byte for byte with the reference output.
// So the construction keeps every tie-break of that coder: a binary min-heap
// whose sift-down prefers the left child on equal frequencies, leaves
// recorded in the order they leave the heap, depths beyond 16 clamped and the
// Kraft sum repaired by moving leaves down from the deepest level below 16,
// and the lengths handed out from 16 bits upward to the leaves in removal
// order, so the rarest symbols get the longest codes. Canonical codes then
// follow from the lengths alone.
//
// The expander's tables treat every length as untrusted: lengths above 16,
// incomplete and overfull sets are refused before a single table slot is
// written, so that building and walking the tables can never leave them.
// Short codes fill all primary table slots they prefix; codes longer than the
// table width hang their remaining bits in a small binary tree beside it,
// which keeps the per-block table building cheap (4096 slots at most).

#include "notes/LzhHuffman.h"
#include <array>

namespace lzh {

namespace {

constexpr int kMaxSymbols = kLiteralLengthSymbols;
constexpr std::uint16_t kEmptySlot = 0xFFFF;

// Sift-down of the reference coder: take the right child only when it is
// strictly rarer, stop when the parent is not rarer than that child.
void DownHeap(int *heap, int heapSize, const std::uint32_t *frequencies, int i)
{
    const int k = heap[i];
    int j;
    while ((j = 2 * i) <= heapSize) {
        if (j < heapSize && frequencies[heap[j]] > frequencies[heap[j + 1]])
            ++j;
        if (frequencies[k] <= frequencies[heap[j]])
            break;
        heap[i] = heap[j];
        i = j;
    }
    heap[i] = k;
}

} // namespace

int MakeHuffmanCode(int symbols, std::uint32_t *frequencies, std::uint8_t *lengths, std::uint16_t *codes)
{
    std::array<int, kMaxSymbols + 1> heap;
    std::array<int, 2 * kMaxSymbols> left, right;
    std::array<int, kMaxSymbols> removalOrder;
    int heapSize = 0;
    heap[1] = 0;
    for (int i = 0; i < symbols; ++i) {
        lengths[i] = 0;
        if (frequencies[i] != 0)
            heap[++heapSize] = i;
    }
    if (heapSize < 2) {
        codes[heap[1]] = 0;
        return heap[1];
    }
    for (int i = heapSize / 2; i >= 1; --i)
        DownHeap(heap.data(), heapSize, frequencies, i);

    int removed = 0;
    int next = symbols;
    int root;
    do {
        const int i = heap[1];
        if (i < symbols)
            removalOrder[removed++] = i;
        heap[1] = heap[heapSize--];
        DownHeap(heap.data(), heapSize, frequencies, 1);
        const int j = heap[1];
        if (j < symbols)
            removalOrder[removed++] = j;
        root = next++;
        frequencies[root] = frequencies[i] + frequencies[j];
        heap[1] = root;
        DownHeap(heap.data(), heapSize, frequencies, 1);
        left[root] = i;
        right[root] = j;
    } while (heapSize > 1);

    // Leaves per depth, depths beyond the longest code counted at 16.
    std::array<int, kMaxCodeLength + 1> count{};
    {
        std::array<std::pair<int, int>, 2 * kMaxSymbols> stack;
        int top = 0;
        stack[top++] = {root, 0};
        while (top > 0) {
            const auto [node, depth] = stack[--top];
            if (node < symbols) {
                ++count[depth < kMaxCodeLength ? depth : kMaxCodeLength];
            } else {
                stack[top++] = {right[node], depth + 1};
                stack[top++] = {left[node], depth + 1};
            }
        }
    }
    std::uint32_t kraft = 0;
    for (int i = kMaxCodeLength; i > 0; --i)
        kraft += std::uint32_t(count[i]) << (kMaxCodeLength - i);
    // Clamping only ever overfills; each step takes one leaf off depth 16
    // and splits one shallower leaf into two, removing one unit.
    while (kraft != (1u << kMaxCodeLength)) {
        --count[kMaxCodeLength];
        for (int i = kMaxCodeLength - 1; i > 0; --i) {
            if (count[i] != 0) {
                --count[i];
                count[i + 1] += 2;
                break;
            }
        }
        --kraft;
    }
    int at = 0;
    for (int length = kMaxCodeLength; length > 0; --length)
        for (int k = count[length]; k > 0; --k)
            lengths[removalOrder[at++]] = std::uint8_t(length);

    std::array<std::uint16_t, kMaxCodeLength + 2> start;
    start[1] = 0;
    for (int i = 1; i <= kMaxCodeLength; ++i)
        start[i + 1] = std::uint16_t((start[i] + count[i]) << 1);
    for (int i = 0; i < symbols; ++i)
        if (lengths[i] != 0)
            codes[i] = start[lengths[i]]++;
    return root;
}

bool BuildDecodeTable(int symbols, const std::uint8_t *lengths, int tableBits, std::uint16_t *table,
                      std::uint16_t *left, std::uint16_t *right)
{
    std::array<std::uint32_t, kMaxCodeLength + 1> count{};
    for (int i = 0; i < symbols; ++i) {
        if (lengths[i] > kMaxCodeLength)
            return false;
        ++count[lengths[i]];
    }
    // Codes as 16-bit left-aligned values: code of length l steps by 2^(16-l).
    std::array<std::uint32_t, kMaxCodeLength + 2> start;
    start[1] = 0;
    for (int l = 1; l <= kMaxCodeLength; ++l)
        start[l + 1] = start[l] + (count[l] << (kMaxCodeLength - l));
    if (start[kMaxCodeLength + 1] != (1u << kMaxCodeLength))
        return false;

    const int tableSize = 1 << tableBits;
    const int shift = kMaxCodeLength - tableBits;
    // Slots from the first long code onward are prefixes of long codes.
    const std::uint32_t firstLongSlot = start[tableBits + 1] >> shift;
    for (std::uint32_t slot = firstLongSlot; slot < std::uint32_t(tableSize); ++slot)
        table[slot] = kEmptySlot;
    int nextNode = symbols;
    for (int symbol = 0; symbol < symbols; ++symbol) {
        const int length = lengths[symbol];
        if (length == 0)
            continue;
        const std::uint32_t code = start[length];
        start[length] += 1u << (kMaxCodeLength - length);
        if (length <= tableBits) {
            const std::uint32_t first = code >> shift, end = (code >> shift) + (1u << (tableBits - length));
            for (std::uint32_t slot = first; slot < end; ++slot)
                table[slot] = std::uint16_t(symbol);
            continue;
        }
        std::uint16_t *link = &table[code >> shift];
        for (int bit = shift - 1; bit >= kMaxCodeLength - length; --bit) {
            if (*link == kEmptySlot) {
                if (nextNode >= 2 * symbols)
                    return false;
                left[nextNode] = right[nextNode] = kEmptySlot;
                *link = std::uint16_t(nextNode++);
            }
            link = ((code >> bit) & 1) ? &right[*link] : &left[*link];
        }
        *link = std::uint16_t(symbol);
    }
    // A complete code leaves no link empty; checked anyway so that a walk
    // can never follow one.
    for (std::uint32_t slot = firstLongSlot; slot < std::uint32_t(tableSize); ++slot)
        if (table[slot] == kEmptySlot)
            return false;
    for (int node = symbols; node < nextNode; ++node)
        if (left[node] == kEmptySlot || right[node] == kEmptySlot)
            return false;
    return true;
}

} // namespace lzh
