#include "casting/Hexagram.h"

namespace {

// Bottom, middle, top; reading name; picture position under Fu Si and under Wen.
const std::array<TrigramInfo, kTrigramCount> kTrigrams = {{
    {Trigram::Heaven,   {true, true, true},    "Nebe, tvořivá síla.", 1, 4},
    {Trigram::Thunder,  {true, false, false},  "Hrom, vznět.",        6, 7},
    {Trigram::Water,    {false, true, false},  "Voda, propastné.",    3, 5},
    {Trigram::Mountain, {false, false, true},  "Hora, nehybnost.",    4, 6},
    {Trigram::Earth,    {false, false, false}, "Země, přijetí.",      5, 2},
    {Trigram::Wind,     {false, true, true},   "Vítr, pronikání.",    2, 8},
    {Trigram::Fire,     {true, false, true},   "Oheň, lpění.",        7, 1},
    {Trigram::Lake,     {true, true, false},   "Jezero, radost.",     8, 3},
}};

// Rows: upper trigram, columns: lower trigram, both in Trigram order.
constexpr int kKingWen[kTrigramCount][kTrigramCount] = {
    /* Heaven   */ {1, 25, 6, 33, 12, 44, 13, 10},
    /* Thunder  */ {34, 51, 40, 62, 16, 32, 55, 54},
    /* Water    */ {5, 3, 29, 39, 8, 48, 63, 60},
    /* Mountain */ {26, 27, 4, 52, 23, 18, 22, 41},
    /* Earth    */ {11, 24, 7, 15, 2, 46, 36, 19},
    /* Wind     */ {9, 42, 59, 53, 20, 57, 37, 61},
    /* Fire     */ {14, 21, 64, 56, 35, 50, 30, 38},
    /* Lake     */ {43, 17, 47, 31, 45, 28, 49, 58},
};

Trigram TrigramFrom(const HexagramLines &l, int first)
{
    return TrigramOfLines(IsYang(l[first]), IsYang(l[first + 1]), IsYang(l[first + 2]));
}

} // namespace

QString HexagramLines::digits() const
{
    QString s;
    for (LineValue v : values)
        s += QChar(u'0' + v);
    return s;
}

bool HexagramLines::parseDigits(const QString &text, HexagramLines &out)
{
    if (text.size() != 6)
        return false;
    HexagramLines parsed;
    for (int i = 0; i < 6; ++i) {
        const QChar c = text[i];
        if (c < u'6' || c > u'9')
            return false;
        parsed.values[i] = LineValue(c.unicode() - u'0');
    }
    out = parsed;
    return true;
}

bool HexagramLines::isComplete() const
{
    for (LineValue v : values)
        if (!IsCastValue(v))
            return false;
    return true;
}

const TrigramInfo &TrigramInfoOf(Trigram t) { return kTrigrams[int(t)]; }

Trigram TrigramOfLines(bool bottomYang, bool middleYang, bool topYang)
{
    for (const TrigramInfo &info : kTrigrams)
        if (info.yang[0] == bottomYang && info.yang[1] == middleYang && info.yang[2] == topYang)
            return info.trigram;
    return Trigram::Heaven; // unreachable: the eight patterns are all listed
}

Trigram LowerTrigram(const HexagramLines &lines) { return TrigramFrom(lines, 1); }
Trigram UpperTrigram(const HexagramLines &lines) { return TrigramFrom(lines, 4); }

Trigram TrigramAtPosition(int position, bool fuSi)
{
    for (const TrigramInfo &info : kTrigrams)
        if ((fuSi ? info.fuSiPosition : info.wenPosition) == position)
            return info.trigram;
    return Trigram::Heaven;
}

QStringList TrigramDescription(Trigram t)
{
    switch (t) {
    case Trigram::Heaven:
        return {QStringLiteral("  Nebe - plození, aktivní princip "), QStringLiteral("  jang, tvořivá síla, která "),
                QStringLiteral("  oplodňuje pasivní princip jin. ")};
    case Trigram::Earth:
        return {QStringLiteral("  Země - rození, pasivní princip "), QStringLiteral("  jin, který přijímá oplodňující "),
                QStringLiteral("  sílu jang a umožňuje tak "), QStringLiteral("  vznikání. ")};
    case Trigram::Water:
        return {QStringLiteral("  Voda - bezedné, řeka, "), QStringLiteral("  nebezpečí. ")};
    case Trigram::Mountain:
        return {QStringLiteral("  Hora - nehybnost, ztišení, "), QStringLiteral("  rozhraní mezi vnějším a vnitřním, "),
                QStringLiteral("  mezi neviditelným a viditelným. ")};
    case Trigram::Thunder:
        return {QStringLiteral("  Hrom - vznět k pohybu, bouře, "), QStringLiteral("  otřes. ")};
    case Trigram::Fire:
        return {QStringLiteral("  Oheň - slunce, světlo, lpění. ")};
    case Trigram::Wind:
        return {QStringLiteral("  Vítr - mírné, pronikání hmotným "), QStringLiteral("  světem do světa idejí, dřevo. ")};
    case Trigram::Lake:
        return {QStringLiteral("  Jezero - radost, jas, pára. ")};
    }
    return {};
}

int HexagramNumberOf(Trigram upper, Trigram lower) { return kKingWen[int(upper)][int(lower)]; }

int HexagramNumberOf(const HexagramLines &lines)
{
    return HexagramNumberOf(UpperTrigram(lines), LowerTrigram(lines));
}

HexagramLines LinesOfTrigrams(Trigram upper, Trigram lower)
{
    HexagramLines l;
    for (int i = 0; i < 3; ++i) {
        l[1 + i] = TrigramInfoOf(lower).yang[i] ? 7 : 8;
        l[4 + i] = TrigramInfoOf(upper).yang[i] ? 7 : 8;
    }
    return l;
}

HexagramLines LinesOfHexagram(int number)
{
    for (int u = 0; u < kTrigramCount; ++u)
        for (int w = 0; w < kTrigramCount; ++w)
            if (kKingWen[u][w] == number)
                return LinesOfTrigrams(Trigram(u), Trigram(w));
    return {};
}

HexagramLines DevelopingLines(const HexagramLines &lines)
{
    return ChosenChangeLines(lines, {true, true, true, true, true, true});
}

HexagramLines ChosenChangeLines(const HexagramLines &lines, const std::array<bool, 6> &marks)
{
    HexagramLines out = lines;
    for (int p = 1; p <= 6; ++p) {
        if (!marks[p - 1])
            continue;
        if (lines[p] == 6)
            out[p] = 7;
        else if (lines[p] == 9)
            out[p] = 8;
    }
    return out;
}

HexagramLines NuclearLines(const HexagramLines &lines)
{
    HexagramLines out;
    out[1] = lines[2]; out[2] = lines[3]; out[3] = lines[4];
    out[4] = lines[3]; out[5] = lines[4]; out[6] = lines[5];
    return out;
}

HexagramLines OppositeLines(const HexagramLines &lines)
{
    HexagramLines out;
    for (int p = 1; p <= 6; ++p)
        out[p] = IsYang(lines[p]) ? 8 : 7;
    return out;
}

HexagramLines SwappedTrigramLines(const HexagramLines &lines)
{
    HexagramLines out;
    for (int p = 1; p <= 3; ++p) {
        out[p] = lines[p + 3];
        out[p + 3] = lines[p];
    }
    return out;
}

HexagramLines FullReadingForm(const HexagramLines &lines)
{
    HexagramLines out;
    for (int p = 1; p <= 6; ++p)
        out[p] = IsYang(lines[p]) ? 9 : 6;
    return out;
}

QString NoteKey(const HexagramLines &lines)
{
    QString key;
    for (int p = 1; p <= 6; ++p)
        key += IsYang(lines[p]) ? u'7' : u'8';
    return key;
}
