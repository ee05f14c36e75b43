#pragma once
// The journal: every saved consultation of a folder at a glance, and whether
// the casts behave like throws of fair coins.
//
// A consultation counts when its first line is a valid marker line; the
// header (date and time) and the question are taken from the lines the
// editor shows, so a file saved without the marker is not a consultation
// here, whatever it says. Reading is split from listing so that the window
// can read files off its own thread and ask for a password in between.

#include "casting/Hexagram.h"
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Journal {

struct Entry {
    QString path;      // full path, for opening
    QString name;      // shown and sorted: the path relative to the chosen folder
    QString header;    // the date-and-time line as written
    QDateTime when;    // the header read as a date and time; invalid when it is not one
    QString question;  // the text behind "Otázka: ", trimmed; empty when there is none
    HexagramLines cast;
    int hexagram = 0;   // 1..64
    int developing = 0; // 0 when no line changes
    bool isProtected = false;
};

// Consultation files of a folder ("*.txt" and "*.txg", letters in any case),
// optionally with its subfolders, sorted by their relative names (letter
// case aside). Each is the folder's path joined with the relative name.
QStringList Candidates(const QString &folder, bool subfolders);

// A header line read as a date and time: "7. 12. 2026, 16:20:05",
// "07.12.26, 16:20:05" (two-digit years are 20yy), "2026-12-07 16:20:05",
// "7 Dec 2026, 16:20:05", "12/7/26, 4:20:05 PM" (slashed dates in the
// order the desktop's locale writes them). Invalid for anything else.
QDateTime HeaderTime(const QString &header);

enum class Outcome {
    Read,       // a consultation: entry is filled
    NoMarker,   // readable, but not a cast consultation (no or a damaged marker line)
    Locked,     // protected, and no key was given or the key does not open it
    Unreadable, // missing, unreadable, too large, not a file
};

struct FileResult {
    Outcome outcome = Outcome::Unreadable;
    Entry entry; // path, name and isProtected are always set
};

// One candidate's stored bytes; key is used for protected files only, and
// without one they are Locked. Only a name ending exactly in ".txt" is plain,
// as in find in files: "A.TXT" is listed and read as protected.
FileResult ReadEntry(const QString &path, const QString &name, QByteArrayView stored, const QString &key);
// Reads the file at path itself.
FileResult ReadFileEntry(const QString &folder, const QString &path, const QString &key);

// The entry of a document's lines (marker line first), or nothing.
std::optional<Entry> EntryOfLines(const QStringList &lines);

// Positions 1..6 of the changing lines, bottom first.
QList<int> ChangingPositions(const HexagramLines &cast);

// Counts of the line values 6, 7, 8 and 9 over the entries' casts.
using ValueCounts = std::array<qint64, 4>;
ValueCounts CountValues(const QList<Entry> &entries);
// How often each hexagram came up: index 0 is hexagram 1.
std::array<int, 64> CountHexagrams(const QList<Entry> &entries);

// Three coins give 6, 7, 8, 9 with probabilities 1/8, 3/8, 3/8, 1/8.
inline constexpr std::array<double, 4> kFairShares{0.125, 0.375, 0.375, 0.125};
// Below this many line values the test says nothing (every expected count
// should be at least five).
inline constexpr qint64 kFewestValues = 60;

struct Fairness {
    qint64 values = 0; // line values counted
    double chi2 = 0;   // Pearson's chi-square against the fair shares, 3 degrees of freedom
    double p = 1;      // chance of a figure this large from fair coins
    QString sentence;  // one plain Czech sentence
};
Fairness FairnessOf(const ValueCounts &counts);

} // namespace Journal
