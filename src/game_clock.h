#pragma once

namespace kvelmora
{

// How a frame's game time is played: in `count` equal steps of `length` seconds each.
struct GameSteps
{
    int count;
    float length;
};

// The game's own time. At a slower speed it runs at that share of the wall clock's, and the limits
// of a long frame hold for the game's time, so a jump keeps its shape over the ground at every speed.
class GameClock final
{
public:
    static constexpr float longestStep = 1.f / 30.f; // seconds: at the top speed 25 pixels, narrower than any flower
    static constexpr float longestGap = 0.25f;       // seconds: a longer frame is a stall, played as this long

    explicit GameClock(int speedPercent);

    // The game time of a wall-clock frame of `wallSeconds`, in steps short enough that no flower, item
    // or screen boundary is passed over.
    GameSteps Split(float wallSeconds) const;

private:
    float m_share; // of the wall clock's time
};
} // namespace kvelmora
