#pragma once
// Finding a phrase in a text the way the book tools do: forward from a
// position; letters compared without regard to case unless asked (Czech
// letters too, accents never ignored); whole words only when asked.

#include "casting/Hexagram.h"
#include <QString>

inline const QString kPhraseNotFound = QStringLiteral("Zadaný text nebyl nalezen.");

struct SearchOptions {
    bool matchCase = false;
    bool wholeWords = false;
};

// The first match of phrase in text[from, end), or -1.
qsizetype FindPhrase(const QString &text, const QString &phrase, qsizetype from, const SearchOptions &options);

// Step s (1..64) of the book's search order, in full-reading form: s - 1 in
// six binary digits, the top line the most significant, 0 yang and 1 yin.
HexagramLines SearchOrderStep(int step);
