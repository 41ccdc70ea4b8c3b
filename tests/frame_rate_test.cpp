#include "frame_rate.h"

#include <gtest/gtest.h>

namespace kvelmora
{

namespace
{
void FeedFrames(FrameRateWatch& watch, int count, float seconds)
{
    for (int frame = 0; frame < count; ++frame)
        watch.AddFrame(seconds);
}
} // namespace

TEST(FrameRateWatch, OnlyFramesConsistentlyMuchFasterThanSixtyASecondAskForALimit)
{
    FrameRateWatch vsync;
    FeedFrames(vsync, 600, 1.f / 60.f);
    vsync.AddFrame(0.0005f); // catching up after a late frame
    FeedFrames(vsync, 600, 1.f / 60.f);
    EXPECT_FALSE(vsync.NeedsLimit());

    FrameRateWatch catchingUp;
    for (int frame = 0; frame < 300; ++frame)
    {
        catchingUp.AddFrame(0.0005f);
        catchingUp.AddFrame(1.f / 30.f);
    }
    EXPECT_FALSE(catchingUp.NeedsLimit());

    FrameRateWatch fastDisplay; // vertical sync on a 240 Hz display works: nothing changes
    FeedFrames(fastDisplay, 2400, 1.f / 240.f);
    EXPECT_FALSE(fastDisplay.NeedsLimit());

    FrameRateWatch unthrottled;
    unthrottled.AddFrame(0.5f); // the first frame carries the start-up
    FeedFrames(unthrottled, 29, 0.001f);
    EXPECT_FALSE(unthrottled.NeedsLimit());
    unthrottled.AddFrame(0.001f);
    EXPECT_TRUE(unthrottled.NeedsLimit());
    FeedFrames(unthrottled, 10, 1.f / 60.f); // the limit's own frames keep it
    EXPECT_TRUE(unthrottled.NeedsLimit());
}
} // namespace kvelmora
