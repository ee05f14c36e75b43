// The first line of an opened consultation, as Windows-1250 bytes: the
// marker parse must never read past the line or accept a value outside 6..9.
#include "reading/MarkerLine.h"
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringDecoder decode("windows-1250");
    const QString line = decode(QByteArrayView(data, qsizetype(size)));
    HexagramLines lines;
    if (ParseMarkerLine(line, lines) == MarkerParse::Valid) {
        if (!lines.isComplete())
            std::abort();
        if (HexagramNumberOf(lines) < 1 || HexagramNumberOf(lines) > 64)
            std::abort();
        if (MarkerLine(lines).size() != 12)
            std::abort();
    }
    return 0;
}
