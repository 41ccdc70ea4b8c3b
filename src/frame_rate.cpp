#include "frame_rate.h"

namespace kvelmora
{

void FrameRateWatch::AddFrame(float seconds)
{
    if (NeedsLimit())
        return;
    m_fastFrames = seconds < fastFrameSeconds ? m_fastFrames + 1 : 0;
}
} // namespace kvelmora
