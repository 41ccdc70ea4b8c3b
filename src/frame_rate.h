#pragma once

namespace kvelmora
{

// Tells from the frames' durations whether vertical sync holds the frame loop back. Some drivers and
// virtual displays ignore it; the loop then spins as fast as the machine allows, burning a core and
// filling the log, and needs a frame-rate limit instead.
class FrameRateWatch final
{
public:
    static constexpr unsigned int limitedFramesPerSecond = 60;

    void AddFrame(float seconds);
    bool NeedsLimit() const { return m_fastFrames >= fastFramesInARow; }

private:
    // Shorter than a refresh of any common display, up to 240 Hz: only an unthrottled loop is this quick.
    static constexpr float fastFrameSeconds = 1.f / 300.f;
    // One quick frame happens with vertical sync too, when it catches up after a late one.
    static constexpr int fastFramesInARow = 30;

    int m_fastFrames = 0; // fast frames in a row, up to now
};
} // namespace kvelmora
