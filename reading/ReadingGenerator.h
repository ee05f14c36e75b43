#pragma once
// Turns six line values into the lines of a reading: the trigrams, heading,
// symbol, principle, interpretation and the statements of changing lines.

#include "reading/Corpus.h"
#include <QStringList>

struct ReadingOptions {
    bool developing = false; // "Vývojový hexagram"
    bool guidance = false;   // "Návod výkladu vývojového hexagramu", only with developing
};

// Appends the generator's run to target and returns the heading it matched.
// viewMode (a browse of the book) writes all six line statements after the
// all-lines entry of hexagrams 1 and 2.
QString GenerateReading(const InterpretationCorpus &corpus, const HexagramLines &readingLines, bool viewMode,
                        QStringList &target);

// What a finished cast appends to a consultation: the primary reading and,
// on request, the developing hexagram. Returns the last heading matched.
QString ConsultationReading(const InterpretationCorpus &corpus, const HexagramLines &castLines,
                            const ReadingOptions &options, QStringList &target);

inline const QString kDevelopingHeading = QStringLiteral("   Doplňkový (vývojový) hexagram:");
inline const QString kDevelopingClosing = QStringLiteral("Ve vývojovém hexagramu se k významu čar nepřihlíží.");
