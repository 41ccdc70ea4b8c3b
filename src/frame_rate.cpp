#include "frame_rate.h"

void FrameRateWatch::AddFrame(float seconds)
{
    if (NeedsLimit())
        return;
    m_fastFrames = seconds < fastFrameSeconds ? m_fastFrames + 1 : 0;
}
