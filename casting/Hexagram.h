#pragma once
// The vocabulary shared by casting, reading and files: line values, the six
// lines of a hexagram bottom first, the eight trigrams and the King Wen table.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

using LineValue = std::uint8_t; // 6, 7, 8 or 9; 0 = not cast yet

inline bool IsYang(LineValue v) { return v == 7 || v == 9; }
inline bool IsYin(LineValue v) { return v == 6 || v == 8; }
inline bool IsChanging(LineValue v) { return v == 6 || v == 9; }
inline bool IsCastValue(LineValue v) { return v >= 6 && v <= 9; }

// Six line values at positions 1 (bottom) to 6 (top).
struct HexagramLines {
    std::array<LineValue, 6> values{};

    LineValue &operator[](int position) { return values[position - 1]; }
    LineValue operator[](int position) const { return values[position - 1]; }
    bool operator==(const HexagramLines &) const = default;

    // "789968" for bottom-first values 7,8,9,9,6,8; parse accepts exactly six digits 6..9.
    QString digits() const;
    static bool parseDigits(const QString &text, HexagramLines &out);
    bool isComplete() const;
};

// In the column order of the hexagram table.
enum class Trigram : std::uint8_t { Heaven, Thunder, Water, Mountain, Earth, Wind, Fire, Lake };
inline constexpr int kTrigramCount = 8;

struct TrigramInfo {
    Trigram trigram;
    std::array<bool, 3> yang; // bottom, middle, top
    const char *readingName;  // UTF-8, as written after "Nahoře:  " / "Dole:  "
    int fuSiPosition;         // 1 top, then clockwise to 8 upper left
    int wenPosition;
};

const TrigramInfo &TrigramInfoOf(Trigram t);
Trigram TrigramOfLines(bool bottomYang, bool middleYang, bool topYang);
Trigram LowerTrigram(const HexagramLines &lines);
Trigram UpperTrigram(const HexagramLines &lines);
// The trigram drawn at a picture position (1..8) in one of the two arrangements.
Trigram TrigramAtPosition(int position, bool fuSi);

// The lines of a trigram's pop-up description, each with its two leading
// spaces and one trailing space.
QStringList TrigramDescription(Trigram t);

int HexagramNumberOf(const HexagramLines &lines);
int HexagramNumberOf(Trigram upper, Trigram lower);
// Lines of hexagram 1..64 with yang as 7 and yin as 8.
HexagramLines LinesOfHexagram(int number);
HexagramLines LinesOfTrigrams(Trigram upper, Trigram lower);

HexagramLines DevelopingLines(const HexagramLines &lines);
HexagramLines ChosenChangeLines(const HexagramLines &lines, const std::array<bool, 6> &marks);
HexagramLines NuclearLines(const HexagramLines &lines);
HexagramLines OppositeLines(const HexagramLines &lines);
HexagramLines SwappedTrigramLines(const HexagramLines &lines);
HexagramLines FullReadingForm(const HexagramLines &lines);
QString NoteKey(const HexagramLines &lines);
