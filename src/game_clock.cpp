#include "game_clock.h"

#include <algorithm>
#include <cmath>

namespace kvelmora
{

GameClock::GameClock(int speedPercent)
    : m_share(static_cast<float>(speedPercent) / 100.f)
{
}

GameSteps GameClock::Split(float wallSeconds) const
{
    // A frame after a stall (a dragged window, a suspend) is not played back in full.
    const float played = std::min(wallSeconds * m_share, longestGap);
    const int count = played > longestStep ? static_cast<int>(std::ceil(played / longestStep)) : 1;
    return {count, played / static_cast<float>(count)};
}
} // namespace kvelmora
