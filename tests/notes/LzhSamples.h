#pragma once
// Inputs for the lh5 tests, made from fixed seeds so that every run sees
// the same bytes.

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <utility>

namespace LzhSamples {

inline QByteArray Random(qsizetype size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (char &c : out)
        c = char(rng.bounded(256));
    return out;
}

// Words, punctuation and line ends in a skewed distribution, like the notes
// the store keeps.
inline QByteArray Text(qsizetype size, quint32 seed)
{
    static const char *const words[] = {
        "hexagram", "line", "changing", "the", "of", "and", "heaven", "earth", "water", "fire",
        "mountain", "lake", "wind", "thunder", "perseverance", "furthers", "no", "blame", "great",
        "man", "superior", "small", "it", "is", "favourable", "to", "cross", "river", "Zendra",
        "ve", "na", "je", "a", "k", "se", "nebe", "země", "voda", "oheň", "hora", "jezero"};
    constexpr int count = int(sizeof(words) / sizeof(words[0]));
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(size + 32);
    while (out.size() < size) {
        const int a = int(rng.bounded(count)), b = int(rng.bounded(count));
        out += words[qMin(a, b)]; // favours the first words
        const int r = int(rng.bounded(100));
        out += r < 8 ? ". " : r < 12 ? ",\r\n" : r < 14 ? "\r\n\r\n" : " ";
    }
    out.truncate(size);
    return out;
}

// A random block repeated: matches of the longest length all the way,
// reaching back across every 8 KiB and 64 KiB boundary of the output.
inline QByteArray RepeatedBlock(qsizetype size, qsizetype block, quint32 seed)
{
    const QByteArray unit = Random(block, seed);
    QByteArray out;
    while (out.size() < size)
        out += unit;
    out.truncate(size);
    return out;
}

inline QByteArray Periodic(qsizetype size, const QByteArray &pattern)
{
    QByteArray out;
    while (out.size() < size)
        out += pattern;
    out.truncate(size);
    return out;
}

inline QByteArray AllByteValues(int repeats)
{
    QByteArray out;
    for (int r = 0; r < repeats; ++r)
        for (int b = 0; b < 256; ++b)
            out += char((b * 37 + r) & 0xFF);
    return out;
}

inline QByteArray Mixed(qsizetype size, quint32 seed)
{
    QByteArray out = Text(size / 2, seed) + Random(size / 8, seed + 1) + QByteArray(size / 8, '\0')
                     + RepeatedBlock(size / 8, 3000, seed + 2);
    out += Text(size - out.size(), seed + 3);
    return out;
}

// Named inputs that cross the coder's and decoder's boundaries: the window
// moves at 8192 and 16384 bytes, the read-ahead of 8448, and the block
// limit of 16360 bytes of buffered items.
inline QList<std::pair<const char *, QByteArray>> Boundaries()
{
    QList<std::pair<const char *, QByteArray>> out;
    static const int sizes[] = {8191, 8192, 8193, 8447, 8448, 8449, 16359, 16360, 16361,
                                16383, 16384, 16385, 16639, 16640, 16641, 24576, 24577};
    static const char *const textNames[] = {"text 8191", "text 8192", "text 8193", "text 8447", "text 8448",
                                            "text 8449", "text 16359", "text 16360", "text 16361",
                                            "text 16383", "text 16384", "text 16385", "text 16639",
                                            "text 16640", "text 16641", "text 24576", "text 24577"};
    static const char *const randomNames[] = {"random 8191", "random 8192", "random 8193", "random 8447",
                                              "random 8448", "random 8449", "random 16359", "random 16360",
                                              "random 16361", "random 16383", "random 16384", "random 16385",
                                              "random 16639", "random 16640", "random 16641", "random 24576",
                                              "random 24577"};
    for (int i = 0; i < int(sizeof(sizes) / sizeof(sizes[0])); ++i) {
        out.append({textNames[i], Text(sizes[i], 11)});
        out.append({randomNames[i], Random(sizes[i], 12)});
    }
    return out;
}

} // namespace LzhSamples
