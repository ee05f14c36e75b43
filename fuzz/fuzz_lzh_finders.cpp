// The compressor's two match finders give the same stream for any bytes.
//
// A first byte below 0x80 hands the rest over as it is. Otherwise the rest is
// a short recipe for a longer input, so that small test cases reach the
// window moves at 16 KiB, refills of 8 KiB, full blocks and 256-byte runs:
// each step is an operation byte and its arguments, and the input stops
// growing at kLongest bytes, past the first window move and a full block.

#include "notes/Lzh.h"
#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// Every compression allocates some 300 KiB of working memory in one block.
// The sanitizer's allocator maps blocks that large afresh each time, and the
// page faults took most of an execution, so a few such blocks are kept for
// reuse. Accesses past their ends are still caught; a use of one after it
// was released would not be.
constexpr std::size_t kKeptBytes = 128 * 1024;
struct KeptBlock {
    void *block = nullptr;
    std::size_t size = 0;
    bool inUse = false;
};
KeptBlock g_kept[8];

void *Allocate(std::size_t size) noexcept
{
    if (size >= kKeptBytes) {
        for (KeptBlock &k : g_kept)
            if (k.block && !k.inUse && k.size == size) {
                k.inUse = true;
                return k.block;
            }
    }
    void *block = std::malloc(size ? size : 1);
    if (block && size >= kKeptBytes) {
        for (KeptBlock &k : g_kept)
            if (!k.block) {
                k = {block, size, true};
                break;
            }
    }
    return block;
}

void Release(void *block)
{
    for (KeptBlock &k : g_kept)
        if (k.block == block && block) {
            k.inUse = false;
            return;
        }
    std::free(block);
}

constexpr qsizetype kLongest = 20 * 1024;

class Recipe {
public:
    Recipe(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_at >= m_size; }
    unsigned Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    const std::uint8_t *Take(std::size_t &n)
    {
        n = std::min(n, m_size - m_at);
        const std::uint8_t *p = m_data + m_at;
        m_at += n;
        return p;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

QByteArray Build(Recipe &recipe)
{
    QByteArray out;
    std::uint32_t noise = 1;
    while (!recipe.AtEnd() && out.size() < kLongest) {
        const unsigned op = recipe.Next();
        // Lengths come in units of 1, 16 or 256 bytes, chosen by the top
        // bits; long pieces are kept rare, since they cost the most time.
        const qsizetype unit = op < 0x80 ? 1 : op < 0xF0 ? 16 : 256;
        qsizetype count = qsizetype(recipe.Next() + 1) * unit;
        count = std::min(count, kLongest - out.size());
        switch (op & 3) {
        case 0: { // bytes of the recipe itself
            std::size_t n = std::size_t(count);
            const std::uint8_t *p = recipe.Take(n);
            out.append(reinterpret_cast<const char *>(p), qsizetype(n));
            break;
        }
        case 1: // one byte repeated
            out.append(count, char(recipe.Next()));
            break;
        case 2: { // the last 2..301 bytes repeated
            const qsizetype period = std::min<qsizetype>(2 + (recipe.Next() << 8 | recipe.Next()) % 300, out.size());
            const qsizetype from = out.size() - period;
            for (qsizetype i = 0; period > 0 && i < count; ++i)
                out.append(out.at(from + i % period));
            break;
        }
        default: // incompressible bytes
            noise = noise * 2654435761u + recipe.Next();
            for (qsizetype i = 0; i < count; ++i) {
                noise = noise * 1103515245u + 12345u;
                out.append(char(noise >> 23));
            }
            break;
        }
    }
    return out;
}

} // namespace

// Every plain new and delete goes through the pair above, so that none of
// them meets the sanitizer's own of the other kind.
void *operator new(std::size_t size)
{
    if (void *block = Allocate(size))
        return block;
    throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void operator delete(void *block) noexcept { Release(block); }
void operator delete(void *block, std::size_t) noexcept { Release(block); }
void operator delete(void *block, const std::nothrow_t &) noexcept { Release(block); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input;
    if (size > 0 && data[0] < 0x80) {
        input = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    } else if (size > 0) {
        Recipe recipe(data + 1, size - 1);
        input = Build(recipe);
    }
    if (LzhCompressBytes(input) != LzhCompressBytesWithTrie(input))
        std::abort();
    return 0;
}
