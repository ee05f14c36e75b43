#include "reading/MarkerLine.h"

QString MarkerLine(const HexagramLines &castLines) { return kMarkerTag + castLines.digits(); }

MarkerParse ParseMarkerLine(const QString &line, HexagramLines &castLines)
{
    const int at = line.indexOf(kMarkerTag);
    if (at < 0)
        return MarkerParse::NoMarker;
    if (line.size() < 12)
        return MarkerParse::Invalid;
    // The six characters after the colon, wherever the tag stands in the line.
    const QString digits = line.mid(at + kMarkerTag.size(), 6);
    HexagramLines parsed;
    if (!HexagramLines::parseDigits(digits, parsed))
        return MarkerParse::Invalid;
    castLines = parsed;
    return MarkerParse::Valid;
}
