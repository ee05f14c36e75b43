// Expanding untrusted compressed streams. A stream either expands to exactly
// its declared size or fails with ECorruptFile; the memory and device forms
// agree (checked on every fourth input length); nothing is read or written
// out of bounds (the sanitizers watch). Declared sizes above 128 KiB are
// folded below it: a valid stream of zero-bit symbols may legally expand
// 16 MiB per few bytes of block head, which would only make the fuzzer
// slow, not find faults.

#include "notes/Lzh.h"
#include <QBuffer>
#include <QtEndian>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray stream(reinterpret_cast<const char *>(data), qsizetype(size));
    if (stream.size() >= 4) {
        const qint32 declared = qFromLittleEndian<qint32>(stream.constData());
        if (declared > (128 << 10))
            qToLittleEndian<qint32>(declared % (128 << 10), stream.data());
    }

    QByteArray bytes;
    bool bytesFailed = false;
    try {
        bytes = LzhExpandBytes(stream);
        if (bytes.size() != qFromLittleEndian<qint32>(stream.constData()))
            std::abort();
    } catch (const ECorruptFile &) {
        bytesFailed = true;
    }

    // The device form on a quarter of the inputs, chosen by their length.
    if (size % 4 != 0)
        return 0;
    QBuffer source(&stream);
    source.open(QIODevice::ReadOnly);
    QBuffer dest;
    dest.open(QIODevice::WriteOnly);
    bool deviceFailed = false;
    try {
        LzhExpand(source, dest);
    } catch (const ECorruptFile &) {
        deviceFailed = true;
    }
    if (deviceFailed != bytesFailed || (!bytesFailed && dest.data() != bytes))
        std::abort();
    return 0;
}
