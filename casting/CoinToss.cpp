#include "casting/CoinToss.h"
#include <cfenv>
#include <cmath>
#include <cstdlib>

std::int32_t TossTimeMark(int seconds, int milliseconds)
{
    // long double is the x87 extended format here; nearbyint rounds halves to even
    // in the default rounding mode.
    const long double step = 1.0L / 60.0L;
    const long double a = std::nearbyint(static_cast<long double>(milliseconds) * step);
    const long double b = std::nearbyint(static_cast<long double>(seconds) * 1000.0L * step);
    return static_cast<std::int32_t>(a) + static_cast<std::int32_t>(b);
}

std::uint8_t CoinValueFromMarks(std::int32_t started, std::int32_t stopped)
{
    return std::uint8_t(2 + (std::abs(static_cast<long long>(started) - stopped) % 2));
}

TimedPressResult TimedPress(CastingState &state, int coin, std::int32_t mark)
{
    state.timedTossStarted = true;
    state.flipFrame = 0;
    if (state.coinStates[coin] == CoinIdle) {
        state.tossMarks[coin] = mark;
        state.coinStates[coin] = CoinSpinning;
        return {};
    }
    const std::uint8_t value = CoinValueFromMarks(state.tossMarks[coin], mark);
    state.coinValues[coin] = value;
    state.coinStates[coin] = CoinIdle;
    return {true, value == 2 ? 0 : 6};
}

void HandPress(CastingState &state, int coin)
{
    state.flipFrame = 0;
    if (state.coinStates[coin] == ShowsFront) {
        state.coinValues[coin] = 2;
        state.coinStates[coin] = TurningToBack;
    } else {
        state.coinValues[coin] = 3;
        state.coinStates[coin] = TurningToFront;
    }
}

std::array<int, kCoinCount> HandTick(CastingState &state)
{
    ++state.flipFrame;
    std::array<int, kCoinCount> frames{-1, -1, -1};
    for (int k = 0; k < kCoinCount; ++k) {
        if (state.coinStates[k] == TurningToBack) {
            frames[k] = state.flipFrame;
            if (state.flipFrame >= kTurnTicks)
                state.coinStates[k] = ShowsBack;
        } else if (state.coinStates[k] == TurningToFront) {
            frames[k] = kTurnTicks - state.flipFrame;
            if (state.flipFrame >= kTurnTicks)
                state.coinStates[k] = ShowsFront;
        }
    }
    return frames;
}

LineValue LineFromCoins(const CastingState &state)
{
    int sum = 0;
    for (std::uint8_t v : state.coinValues) {
        if (v == 0)
            return 0;
        sum += v;
    }
    return LineValue(sum);
}

void SetCoinsForMode(CastingState &state, bool handMode)
{
    state.coinStates = {0, 0, 0};
    const std::uint8_t v = handMode ? 3 : 0;
    state.coinValues = {v, v, v};
}
