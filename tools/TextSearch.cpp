#include "tools/TextSearch.h"

namespace {
bool IsWordChar(QChar c) { return c.isLetterOrNumber(); }
} // namespace

qsizetype FindPhrase(const QString &text, const QString &phrase, qsizetype from, const SearchOptions &options)
{
    if (phrase.isEmpty() || from < 0)
        return -1;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.indexOf(phrase, from, cs); at >= 0; at = text.indexOf(phrase, at + 1, cs)) {
        if (!options.wholeWords)
            return at;
        const qsizetype end = at + phrase.size();
        const bool before = at > 0 && IsWordChar(text[at - 1]);
        const bool after = end < text.size() && IsWordChar(text[end]);
        if (!before && !after)
            return at;
    }
    return -1;
}

HexagramLines SearchOrderStep(int step)
{
    const int bits = step - 1;
    HexagramLines lines;
    for (int p = 1; p <= 6; ++p)
        lines[p] = (bits >> (p - 1)) & 1 ? 6 : 9;
    return lines;
}
