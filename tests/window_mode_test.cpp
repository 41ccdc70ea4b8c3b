#include "window_mode.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>

#include <gtest/gtest.h>

namespace kvelmora
{
namespace
{
constexpr float settled = FocusSettler::settleSeconds;

sf::Event KeyEvent(sf::Keyboard::Key code, bool alt = false)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {code, alt, false, false, false};
    return event;
}

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
} // namespace

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

TEST(FocusSettler, AWindowCreatedWithoutTheFocusPausesOnceSettled)
{
    FocusSettler focus;
    focus.NoteChange();
    EXPECT_EQ(focus.Settle(false, settled / 2), std::nullopt);
    EXPECT_EQ(focus.Settle(false, settled), false);
}

TEST(WindowMode, RoutesTheWindowsOwnEventsAndPassesTheRestOn)
{
    sf::RenderWindow window;
    WindowMode mode(window, platform::WindowHost::Desktop);
    sf::Event closed;
    closed.type = sf::Event::Closed;
    EXPECT_EQ(mode.Route(closed), EventRoute::Quit);
    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::Escape)), EventRoute::Quit);
    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::LAlt)), EventRoute::Handled) << "the start of Alt+Enter";
    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::Enter)), EventRoute::ToScreen);
    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::Space)), EventRoute::ToScreen);
    sf::Event focus;
    focus.type = sf::Event::LostFocus;
    EXPECT_EQ(mode.Route(focus), EventRoute::Handled) << "told only once settled";

    // A page cannot end: Escape leaves for the start menu, and a new size of the page is the loop's.
    WindowMode page(window, platform::WindowHost::Page);
    EXPECT_EQ(page.Route(KeyEvent(sf::Keyboard::Escape)), EventRoute::ToStartMenu);
    EXPECT_EQ(page.Route(closed), EventRoute::Quit);
    sf::Event resized;
    resized.type = sf::Event::Resized;
    EXPECT_EQ(page.Route(resized), EventRoute::Handled);
    EXPECT_EQ(page.Route(KeyEvent(sf::Keyboard::Up)), EventRoute::ToScreen);
}

// Where vertical sync is ignored, as here under Xvfb, the limit must hold on every window the
// fullscreen keys create, or the loop spins a core at 100 %.
TEST(WindowMode, AFrameLimitOnceNeededHoldsOnEveryWindowTheFullscreenKeysCreate)
{
    constexpr int frames = 31;
    constexpr float limited = (frames - 1) / 60.f; // seconds at least, under the limit
    sf::RenderWindow window;
    WindowMode mode(window, platform::WindowHost::Desktop);
    mode.Open();
    for (int frame = 0; frame < 30 && !mode.HasFrameLimit(); ++frame)
        mode.AddFrame(0.001f);
    ASSERT_TRUE(mode.HasFrameLimit());
    EXPECT_GE(SecondsForFrames(window, frames), limited);

    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::F11)), EventRoute::Handled);
    EXPECT_TRUE(mode.IsFullscreen());
    EXPECT_GE(SecondsForFrames(window, frames), limited) << "after F11";

    EXPECT_EQ(mode.Route(KeyEvent(sf::Keyboard::Enter, true)), EventRoute::Handled);
    EXPECT_FALSE(mode.IsFullscreen());
    EXPECT_GE(SecondsForFrames(window, frames), limited) << "after Alt+Enter back to a window";
}
} // namespace kvelmora
