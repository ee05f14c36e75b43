#pragma once
// The main window's program-wide state, in plain structs that the
// application owns and hands by reference to the windows that use it.

#include "app/DocumentSlots.h"
#include "casting/CoinToss.h"
#include "casting/Hexagram.h"
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

struct LineArrays {
    HexagramLines readingLines;
    HexagramLines castLines;
    bool hasHexagram = false;
};

enum TrigramPickState : std::uint8_t { PickNone = 0, PickLower = 1, PickFilling = 2, PickShown = 3 };

struct PanelState {
    std::array<bool, 6> panelMarks{};
    std::array<QRect, 6> panelLineRects{}; // hit only strictly inside; all zero: never
};

struct ProgramState {
    LineArrays lines;
    CastingState casting;
    std::uint8_t trigramPickState = PickNone;
    PanelState panel;
    DocumentSlots documents;
    QString currentHeading;
    bool firstActivation = false;
};
