// The frame loop's window: when its frames need a limit, when a focus change is told, where events go.
#include "window_mode.h"

#include "frame_rate.h"
#include "test_support.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>

#include <gtest/gtest.h>

namespace kvelmora
{
namespace
{
constexpr float settled = FocusSettler::settleSeconds;

void ShowFrames(sf::RenderWindow& window, int count)
{
    for (int frame = 0; frame < count; ++frame)
    {
        window.clear();
        window.display();
    }
}

// How long the window takes to show this many frames, after a few that settle a new window: at least
// (count - 1) / 60 s under a 60 fps limit, a few milliseconds each without one.
float SecondsForFrames(sf::RenderWindow& window, int count)
{
    ShowFrames(window, 5);
    sf::Clock clock;
    ShowFrames(window, count);
    return clock.getElapsedTime().asSeconds();
}

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

TEST(FocusSettler, TellsOnlyAFocusThatHasSettledAndChanged)
{
    FocusSettler focus;
    focus.NoteChange(); // the window is created: the focus is lost and regained in passing
    EXPECT_EQ(focus.Settle(false, 0.1f), std::nullopt) << "not settled yet";
    EXPECT_EQ(focus.Settle(true, settled), std::nullopt) << "the screens already think it focused";

    focus.NoteChange();
    EXPECT_EQ(focus.Settle(false, settled), false);
    EXPECT_EQ(focus.Settle(false, settled + 1.f), std::nullopt) << "told once";
    focus.NoteChange();
    EXPECT_EQ(focus.Settle(true, settled + 2.f), true);
}

// Only what no running game shows: Escape, the close button and the keys a screen takes are the
// end-to-end checks' (desktop) and the browser checks' (page).
TEST(WindowMode, KeepsTheFullscreenKeysFocusEventsAndAPagesNewSizeFromTheScreens)
{
    sf::RenderWindow window;
    WindowMode mode(window, platform::GetWindowHost());
    EXPECT_EQ(mode.Route(KeyPress(sf::Keyboard::LAlt)), EventRoute::Handled) << "the start of Alt+Enter";
    EXPECT_EQ(mode.Route(sf::Event{sf::Event::LostFocus, {}}), EventRoute::Handled) << "told only once settled";
    WindowMode page(window, {nullptr, [] {
                             }});
    EXPECT_EQ(page.Route(sf::Event{sf::Event::Resized, {}}), EventRoute::Handled);
}

// Where vertical sync is ignored, as here under Xvfb, the limit must hold on every window the
// fullscreen keys create, or the loop spins a core at 100 %.
TEST(WindowMode, AFrameLimitOnceNeededHoldsOnEveryWindowTheFullscreenKeysCreate)
{
    constexpr int frames = 31;
    // Seconds at least under the limit, less a tenth: Windows wakes a sleeping frame a little early,
    // while a window without the limit shows these frames many times faster.
    constexpr float limited = 0.9f * (frames - 1) / 60.f;
    sf::RenderWindow window;
    WindowMode mode(window, platform::GetWindowHost());
    mode.Open();
    for (int frame = 0; frame < 30 && !mode.HasFrameLimit(); ++frame)
        mode.AddFrame(0.001f);
    ASSERT_TRUE(mode.HasFrameLimit());
    EXPECT_GE(SecondsForFrames(window, frames), limited);

    EXPECT_EQ(mode.Route(KeyPress(sf::Keyboard::F11)), EventRoute::Handled);
    EXPECT_TRUE(mode.IsFullscreen());
    EXPECT_GE(SecondsForFrames(window, frames), limited) << "after F11";

    EXPECT_EQ(mode.Route(KeyPress(sf::Keyboard::Enter, true)), EventRoute::Handled);
    EXPECT_FALSE(mode.IsFullscreen());
    EXPECT_GE(SecondsForFrames(window, frames), limited) << "after Alt+Enter back to a window";
}
} // namespace kvelmora
