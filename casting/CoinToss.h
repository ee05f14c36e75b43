#pragma once
// The coin state machine of the casting table, free of any window: the
// timed throw decided by two time marks, and the hand turning paced by ticks.

#include "casting/Hexagram.h"
#include <array>
#include <cstdint>

inline constexpr int kCoinCount = 3;
inline constexpr int kTimedFrames = 12;
inline constexpr int kHandFrames = 7;
inline constexpr int kTurnTicks = 6;       // a hand turn takes six timer ticks
inline constexpr int kHandTimerMs = 50;
inline constexpr int kSpinMs = 20;
inline constexpr int kFastSpinMs = 5;

enum TimedCoinState : std::uint8_t { CoinIdle = 0, CoinSpinning = 1 };
enum HandCoinState : std::uint8_t { ShowsFront = 0, TurningToBack = 1, ShowsBack = 2, TurningToFront = 3 };

struct CastingState {
    std::array<std::uint8_t, kCoinCount> coinValues{};
    std::array<std::uint8_t, kCoinCount> coinStates{};
    std::array<std::int32_t, kCoinCount> tossMarks{};
    std::uint8_t flipFrame = 0;
    std::uint8_t castLineCount = 0;
    bool timedTossStarted = false;
};

// The time within the minute in steps of about 60 ms; each term is rounded on
// its own, halves to even, as the extended-precision original did.
std::int32_t TossTimeMark(int seconds, int milliseconds);
// 2 when the two marks differ by an even number, 3 when odd.
std::uint8_t CoinValueFromMarks(std::int32_t started, std::int32_t stopped);

struct TimedPressResult {
    bool stopped = false; // false: the coin started spinning
    int frame = 0;        // frame to show when stopped: 0 for value 2, 6 for value 3
};
TimedPressResult TimedPress(CastingState &state, int coin, std::int32_t mark);

// Turns coin (0..2) by hand; its value changes at once, the picture follows on ticks.
void HandPress(CastingState &state, int coin);
// One 50 ms tick: the frame each coin should show now, or -1 to leave it.
std::array<int, kCoinCount> HandTick(CastingState &state);

// Sum of the three coin values, or 0 while a coin has no value yet.
LineValue LineFromCoins(const CastingState &state);

// Timed mode clears the coin values after a line; hand mode keeps the sides.
void SetCoinsForMode(CastingState &state, bool handMode);
