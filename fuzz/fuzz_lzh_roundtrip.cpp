// Compressing any bytes and expanding the stream gives the bytes back, and
// the stream starts with their size.

#include "notes/Lzh.h"
#include <QtEndian>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray stream = LzhCompressBytes(input);
    if (qFromLittleEndian<qint32>(stream.constData()) != qint32(size))
        std::abort();
    if (LzhExpandBytes(stream) != input)
        std::abort();
    return 0;
}
