// The frame loop's events through the real application: what a held key, a held stick and the
// sound switch do on the screens.
#include "event_router.h"

#include "constants.h"
#include "controls.h"
#include "info_menu.h"
#include "settings.h"
#include "sound_switch.h"
#include "start_menu.h"
#include "test_support.h"
#include "window_mode.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvelmora
{

namespace
{
class EventRouting : public TempFolderTest
{
protected:
    EventRouting()
    {
        window.setPosition({0, 0});
        MoveMouse(window, {windowWidth / 2, 5.f}); // over no button
    }

    const Game& ShownGame() const
    {
        const Game* game = ScreenOf<Game>(application);
        EXPECT_NE(game, nullptr);
        return *game;
    }

    void Press(sf::Keyboard::Key key, int times = 1)
    {
        for (int press = 0; press < times; ++press)
            router.Take(KeyPress(key));
    }

    void Release(sf::Keyboard::Key key)
    {
        sf::Event event = KeyPress(key);
        event.type = sf::Event::KeyReleased;
        router.Take(event);
    }

    void Tap(sf::Keyboard::Key key)
    {
        Press(key);
        Release(key);
    }

    // Dark pixels in the bottom-right corner, left of the sound-off mark, over the start menu.
    int DarkPixelsInTheCorner()
    {
        window.clear(sf::Color::White);
        application.Draw();
        application.DrawCorner(true);
        const sf::Image picture = Capture(window);
        int dark = 0;
        for (unsigned int x = 900; x < 1300; ++x)
            for (unsigned int y = 720; y < 752; ++y)
                dark += picture.getPixel(x, y).r < 100;
        return dark;
    }

    const PlayerFiles files;
    sf::RenderWindow window{sf::VideoMode(1366, 768), "Kvelmora"};
    Application application{window};
    WindowMode mode{window, platform::GetWindowHost()};
    SoundSwitch sound{folder / settingsFileName};
    EventRouter router{application, mode, sound};
};
} // namespace

TEST_F(EventRouting, AHeldKeyActsOncePerPressAndUpKeepsJumping)
{
    Press(sf::Keyboard::M, 2);
    EXPECT_FALSE(sound.IsOn());
    Release(sf::Keyboard::M);
    Press(sf::Keyboard::M);
    EXPECT_TRUE(sound.IsOn()) << "a new press switches again";

    // Enter held on "Zpět" returns to the start menu and goes no further.
    Tap(sf::Keyboard::Right); // shows the focus on "Hrát hru"
    Tap(sf::Keyboard::Left);
    Tap(sf::Keyboard::Enter);
    ASSERT_NE(ScreenOf<InfoMenu>(application), nullptr);
    Tap(sf::Keyboard::Up); // from the first topic round to "Zpět"
    Press(sf::Keyboard::Enter, 3);
    EXPECT_NE(ScreenOf<StartMenu>(application), nullptr);
    Release(sf::Keyboard::Enter);

    Tap(sf::Keyboard::Enter); // shows the focus
    Tap(sf::Keyboard::Enter);
    Press(sf::Keyboard::Up); // the first jump
    for (int frame = 0; frame < 100 && ScreenProbe::RunnerState(ShownGame()) == PlayerState::InAir; ++frame)
        application.Update(frameTime);
    Press(sf::Keyboard::Up); // the window's repeat
    EXPECT_EQ(ScreenProbe::RunnerState(ShownGame()), PlayerState::InAir) << "Up held jumps again";
    Press(sf::Keyboard::P, 2);
    EXPECT_TRUE(ShownGame().IsPaused());
}

TEST_F(EventRouting, AKeyOrAStickHeldIntoANewScreenDoesNothingThereUntilLetGo)
{
    // A stick pushed down steps the start menu's focus round past the game speed to the info button,
    // and A chooses it.
    const auto push = [this](float position) {
        router.Take(PadPush(sf::Joystick::Y, position));
    };
    push(100.f);
    push(0.f);
    push(100.f);
    push(0.f);
    push(100.f);
    router.Take(PadButton(padChooseButton));
    ASSERT_NE(ScreenOf<InfoMenu>(application), nullptr);
    push(90.f); // still held
    router.Take(PadButton(padChooseButton));
    EXPECT_EQ(ScreenProbe::CurrentPage(*ScreenOf<InfoMenu>(application)), 0) << "the held stick stepped";
    push(0.f);
    push(100.f);
    router.Take(PadButton(padChooseButton));
    EXPECT_EQ(ScreenProbe::CurrentPage(*ScreenOf<InfoMenu>(application)), 1) << "once let go, it steps again";

    // Up held from the start menu into a game does not start it.
    Tap(sf::Keyboard::BackSpace);
    Press(sf::Keyboard::Up); // shows the focus on "Hrát hru"
    Tap(sf::Keyboard::Enter);
    Press(sf::Keyboard::Up, 2);
    EXPECT_EQ(ShownGame().GetState(), GameState::Waiting);
    Release(sf::Keyboard::Up);
    Press(sf::Keyboard::Up);
    EXPECT_EQ(ShownGame().GetState(), GameState::Running);
}

TEST_F(EventRouting, AGameStartedWithoutTheFocusWaitsForIt)
{
    application.ProcessEvent(sf::Event{sf::Event::LostFocus, {}}); // told to the start menu
    Tap(sf::Keyboard::Enter);
    Tap(sf::Keyboard::Enter);
    EXPECT_TRUE(ShownGame().IsPaused());
    Tap(sf::Keyboard::P); // the player's own pause as well
    EXPECT_TRUE(ShownGame().IsPaused()) << "P ended a pause made by the focus";
    application.ProcessEvent(sf::Event{sf::Event::GainedFocus, {}});
    Tap(sf::Keyboard::P);
    EXPECT_FALSE(ShownGame().IsPaused());
}

TEST_F(EventRouting, ASwitchThatCannotBeKeptIsToldInTheCornerForAFewSeconds)
{
    const int unchanged = DarkPixelsInTheCorner();
    std::filesystem::create_directory(folder / settingsFileName);
    ::testing::internal::CaptureStderr();
    Press(sf::Keyboard::M);
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(sound.IsOn());
    EXPECT_GT(DarkPixelsInTheCorner(), unchanged + 100) << "no notice";
    for (float shown = 0.f; shown < CornerNotice::shownSeconds; shown += 0.25f)
        application.Update(0.25f);
    EXPECT_EQ(DarkPixelsInTheCorner(), unchanged) << "the notice stayed";

    // So is a game speed that cannot be kept.
    std::filesystem::create_directory(PlayerFiles::Path(settingsFileName));
    MoveMouse(window, Centre(ScreenProbe::Button(*ScreenOf<StartMenu>(application), StartMenu::speedButton)));
    ::testing::internal::CaptureStderr();
    router.Take(LeftClick());
    ::testing::internal::GetCapturedStderr();
    EXPECT_GT(DarkPixelsInTheCorner(), unchanged + 100) << "no notice";
}

// A finger's tap arrives as a touch and then as a click at the same place, as the browser sends it.
TEST_F(EventRouting, ATapOrAClickOnTheSpeakerSwitchesTheSoundOnceAndReachesNoScreen)
{
    MoveMouse(window, {windowWidth - 40.f, windowHeight - 40.f}); // the speaker's middle
    router.Take(LeftClick());
    EXPECT_FALSE(sound.IsOn());
    EXPECT_FALSE(SettingsFile(folder / settingsFileName).Read().soundOn) << "not saved";

    // Before the first jump, where any other click or tap would start the game.
    Tap(sf::Keyboard::Enter);
    Tap(sf::Keyboard::Enter);
    Tap(sf::Keyboard::P);
    application.Update(frameTime);
    EXPECT_EQ(ScreenProbe::PauseHint(ShownGame()).getString(), pauseHint) << "no touch yet";
    Tap(sf::Keyboard::P);
    const sf::Vector2f corner(windowWidth - 2.f, windowHeight - 2.f); // beside the speaker, for a child's finger
    router.Take(TouchBegan(corner));
    MoveMouse(window, corner);
    router.Take(LeftClick());
    EXPECT_TRUE(sound.IsOn()) << "a tap switched twice";
    EXPECT_EQ(ShownGame().GetState(), GameState::Waiting) << "the speaker's tap started the game";

    // The touch on the speaker was the player's first: the pause band now speaks of tapping.
    Tap(sf::Keyboard::P);
    application.Update(frameTime);
    EXPECT_EQ(ScreenProbe::PauseHint(ShownGame()).getString(), pauseTapHint);
}
} // namespace kvelmora
