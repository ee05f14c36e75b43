#pragma once
// Where the trigram circle draws its eight trigrams, in pixels of the
// 345 x 305 picture. The trigrams sit under the window's click areas; the
// disc in the middle stays clear for the trigram marks the program draws.
// Shared by the generator and the test that reads the picture back.

namespace TrigramCircleLayout {

inline constexpr double kCentreX = 172.5;
inline constexpr double kCentreY = 154.0;
inline constexpr double kRadius = 74.0;       // from the centre to a trigram's middle bar
inline constexpr double kBarSpacing = 8.0;    // between neighbouring bars of a trigram
inline constexpr double kBarLength = 28.0;
inline constexpr double kBarThickness = 4.6;
inline constexpr double kGapLength = 7.0;     // the break in a yin bar
inline constexpr double kClearRadius = 44.0;  // nothing is drawn inside this circle

// Position p (1 top, then clockwise to 8 upper left) lies this many degrees
// clockwise from the top. A trigram's bottom bar is the one nearest the centre.
inline constexpr double AngleOf(int position) { return (position - 1) * 45.0; }
// Radial distance of bar 0 (bottom), 1 (middle) or 2 (top).
inline constexpr double BarRadius(int bar) { return kRadius + (bar - 1) * kBarSpacing; }

} // namespace TrigramCircleLayout
