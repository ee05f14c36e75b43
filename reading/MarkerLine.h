#pragma once
// The hidden first line "CHHEX:" + six digits that ties a consultation to
// its cast.

#include "casting/Hexagram.h"
#include <QString>

inline const QString kMarkerTag = QStringLiteral("CHHEX:");

QString MarkerLine(const HexagramLines &castLines);

enum class MarkerParse { NoMarker, Invalid, Valid };
// Reads line 0 of a document. Invalid: it names the tag but its digits are
// not six values 6..9 (the line is then dropped from the document).
MarkerParse ParseMarkerLine(const QString &line, HexagramLines &castLines);
