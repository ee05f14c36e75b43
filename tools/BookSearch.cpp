#include "tools/BookSearch.h"
#include "reading/ReadingGenerator.h"

QString ViewerText(const InterpretationCorpus &corpus, const HexagramLines &lines, QString *heading)
{
    QStringList text;
    const QString matched = GenerateReading(corpus, lines, true, text);
    if (heading)
        *heading = matched;
    return text.join(u'\n');
}

std::optional<BookMatch> NextBookMatch(const InterpretationCorpus &corpus, const QString &phrase,
                                       const SearchOptions &options, std::array<bool, 64> &visited)
{
    for (int step = 1; step <= 64; ++step) {
        if (visited[step - 1])
            continue;
        visited[step - 1] = true;
        BookMatch m;
        m.step = step;
        m.lines = SearchOrderStep(step);
        m.text = ViewerText(corpus, m.lines, &m.heading);
        m.position = FindPhrase(m.text, phrase, 0, options);
        if (m.position >= 0)
            return m;
    }
    return std::nullopt;
}
