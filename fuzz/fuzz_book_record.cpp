// A record file of the book as an editor might leave it: the parser must
// report defects, never crash, and always give six line entries.
#include "reading/Corpus.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList defects;
    const HexagramText record = ParseHexagramText(1 + int(size % 64), text, defects);
    if (record.lines.size() != 6)
        std::abort();
    if (record.symbol.isEmpty() && defects.isEmpty())
        std::abort(); // a missing symbol is always a defect
    return 0;
}
