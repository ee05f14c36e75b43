#pragma once
// The book: the 64 hexagram texts and the guidance note, read from the
// embedded UTF-8 files under ":/book" and checked once when first used.
// Titles, headings, labels and trigram lines are tables here, not data.

#include "casting/Hexagram.h"
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct LineEntry {
    QString image;
    QStringList application;
};

struct HexagramText {
    int number = 0;
    QStringList symbol;
    QStringList principle;
    QStringList interpretation;
    std::array<LineEntry, 6> lines;
    std::optional<LineEntry> allLines; // hexagrams 1 and 2
};

inline constexpr int kHexagramCount = 64;
// A record still waiting for its text; the loader counts it as a defect.
inline const QString kPlaceholderMark = QStringLiteral("«zástupný text»");

class InterpretationCorpus {
public:
    // The embedded book, parsed once; defects are kept, never thrown.
    static const InterpretationCorpus &Embedded();
    // Builds a corpus from file texts keyed by hexagram number.
    static InterpretationCorpus FromTexts(const QMap<int, QString> &records, const QString &guidance);

    const HexagramText &record(int number) const { return m_records[number - 1]; }
    const QString &guidance() const { return m_guidance; }
    // One entry per defect found: "hex07.txt: ..." in plain English for developers.
    const QStringList &defects() const { return m_defects; }

private:
    std::array<HexagramText, kHexagramCount> m_records;
    QString m_guidance;
    QStringList m_defects;
};

// Parses one record file; defects are appended with the file name in front.
HexagramText ParseHexagramText(int number, const QString &text, QStringList &defects);

namespace BookTables {
QString Title(int number);
// The title without the second name some titles carry in brackets, as the
// contents list shows it: "Prosperita" for "Prosperita (mír)".
QString ShortTitle(int number);
// "       7. Hexagram:  Vojsko" - every title but that of 7 ends with a full stop.
QString Heading(int number);
QString PrincipleLabel(int number);
QString TrigramText(Trigram trigram, int number, bool upper);
QString LineLabel(int number, int position); // position 1..6, or 7 for all lines
} // namespace BookTables
