#include "tools/BookContents.h"
#include "reading/Corpus.h"

namespace BookContents {

QString Entry(int number)
{
    QString e = QStringLiteral("%1. %2").arg(number).arg(BookTables::ShortTitle(number));
    if (number <= 8)
        e += u' ';
    return e;
}

QStringList Entries()
{
    QStringList l;
    for (int n = 1; n <= kHexagramCount; ++n)
        l << Entry(n);
    return l;
}

} // namespace BookContents
