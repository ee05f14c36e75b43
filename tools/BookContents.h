#pragma once
// The 64 entries of the contents list: "k. Title" with the book's short
// titles, and one trailing space for entries 1 to 8.

#include <QString>
#include <QStringList>

namespace BookContents {
QString Entry(int number);
QStringList Entries();
} // namespace BookContents
