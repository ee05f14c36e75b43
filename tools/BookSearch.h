#pragma once
// The whole-book search of find in book below the window: hexagram by
// hexagram in the book's search order, over the texts the viewer shows.

#include "reading/Corpus.h"
#include "tools/TextSearch.h"
#include <array>
#include <optional>

struct BookMatch {
    int step = 0;          // 1..64 in the search order
    HexagramLines lines;   // full-reading form
    QString heading;       // the viewer's caption
    QString text;          // the viewer's text
    qsizetype position = -1;
};

// The viewer's text of a hexagram in full-reading form: the generator's
// lines in view mode joined by one LF; heading receives its caption.
QString ViewerText(const InterpretationCorpus &corpus, const HexagramLines &lines, QString *heading = nullptr);

// Searches from the first step not yet visited, marking each step searched,
// and stops at the first text that holds the phrase; nothing when no step
// left has it.
std::optional<BookMatch> NextBookMatch(const InterpretationCorpus &corpus, const QString &phrase,
                                       const SearchOptions &options, std::array<bool, 64> &visited);
