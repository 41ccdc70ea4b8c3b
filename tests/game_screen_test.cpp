// The game screen: the runner, keys, pauses and the game-over view, in a real window.
#include "constants.h"
#include "controls.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace kvelmora
{

namespace
{
constexpr float groundY = windowHeight - 100.f; // where the runner, flowers and items stand
constexpr float tolerance = 0.01f;              // pixels of float rounding in placed positions

class GameScreen : public ::testing::Test
{
protected:
    GameScreen() { MoveMouse(test.window, {windowWidth / 2, windowHeight / 2}); } // where a click jumps

    const sf::Text& Button(int button) const { return ScreenProbe::Button(ScreenProbe::Results(game), button); }

    TestContext test;
    Game game{&test.context};
    const Player& player = ScreenProbe::Runner(game);
    const World& world = ScreenProbe::WorldOf(game);
};
} // namespace

TEST_F(GameScreen, TheRunnerWaitsForTheFirstJumpAndJumpsOnlyFromTheGroundLandingExactlyOnIt)
{
    // Four seconds, past a screen boundary, in the longest frames the game plays whole.
    for (int frame = 0; frame < 16; ++frame)
        game.Update(0.25f);
    EXPECT_TRUE(ScreenProbe::Flowers(world).empty()) << "no strip before the first jump";
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    constexpr int jumpFrames = 99; // far more than one jump lasts
    for (int frame = 0; frame < jumpFrames && ScreenProbe::RunnerState(game) == PlayerState::InAir; ++frame)
    {
        const float velocity = ScreenProbe::RunnerVerticalVelocity(game);
        game.ProcessEvent(KeyPress(sf::Keyboard::Up));
        EXPECT_EQ(ScreenProbe::RunnerVerticalVelocity(game), velocity) << "no second jump";
        game.Update(frameTime);
    }
    EXPECT_EQ(player.GetBounds().top + player.GetBounds().height, groundY) << "exactly on the ground line";
    EXPECT_EQ(player.GetSprite().getTextureRect(), sf::IntRect(0, 0, 50, 74)) << "the first run frame";
}

// A slower game is the same game seen slower: wall time scaled by the speed leaves the runner as high
// and the view as far on, frames longer than a step included.
TEST_F(GameScreen, AtEachSpeedTheSameGameTimeLeavesTheJumpAsHighAndTheViewAsFar)
{
    const auto jump = [this](Game& played, int speedPercent) {
        played.ProcessEvent(KeyPress(sf::Keyboard::Up));
        const float wallShare = 100.f / static_cast<float>(speedPercent);
        std::vector<sf::Vector2f> path; // the runner's top and the view's left after each frame
        for (const float frame : {frameTime, 0.1f, 0.05f, frameTime, 0.1f, 0.2f})
        {
            played.Update(frame * wallShare);
            path.emplace_back(ScreenProbe::Runner(played).GetBounds().top, played.GetViewLeft());
        }
        return path;
    };
    const std::vector<sf::Vector2f> normal = jump(game, 100);
    for (const int speed : {75, 50})
    {
        test.context.speed.Step();
        ASSERT_EQ(test.context.speed.GetSpeed(), speed);
        Game played(&test.context);
        const std::vector<sf::Vector2f> path = jump(played, speed);
        for (std::size_t frame = 0; frame < path.size(); ++frame)
        {
            EXPECT_NEAR(path[frame].x, normal[frame].x, tolerance) << speed << " %, frame " << frame;
            EXPECT_NEAR(path[frame].y, normal[frame].y, tolerance) << speed << " %, frame " << frame;
        }
    }
}

TEST_F(GameScreen, EachStateAnswersItsKeysAndTheFocusAndPausedFramesChangeNothing)
{
    const auto waiting = GameState::Waiting;
    const auto running = GameState::Running;
    const auto over = GameState::GameOver;
    const auto none = ScreenRequest::None;
    const auto start = ScreenRequest::StartGame;
    const auto menu = ScreenRequest::OpenStartMenu;
    const auto onGround = PlayerState::OnGround;
    const auto inAir = PlayerState::InAir;
    const auto hit = PlayerState::Hit;
    const sf::Event up = KeyPress(sf::Keyboard::Up);
    const sf::Event p = KeyPress(sf::Keyboard::P);
    const sf::Event space = KeyPress(sf::Keyboard::Space);
    const sf::Event other = KeyPress(sf::Keyboard::A);
    const sf::Event click = LeftClick();
    const sf::Event padA = PadButton(padChooseButton);
    const sf::Event padX = PadButton(2);
    const sf::Event padStart = PadButton(padPauseButton);
    const sf::Event padGone{sf::Event::JoystickDisconnected, {}};
    const sf::Event lost{sf::Event::LostFocus, {}};
    const sf::Event gained{sf::Event::GainedFocus, {}};

    struct Case
    {
        GameState from; // Waiting, or GameOver after a flower
        std::vector<sf::Event> events;
        ScreenRequest lastAnswer; // every earlier event answers None
        bool paused;
        GameState state;
        PlayerState runner;
    };
    // clang-format off
    const Case cases[] = {
        // from    events                     answer  paused  state    runner
        {waiting, {up},                       none,   false,  running, inAir},
        {waiting, {click},                    none,   false,  running, inAir},
        {waiting, {padA},                     none,   false,  running, inAir},
        {waiting, {padX},                     none,   false,  running, inAir},
        {waiting, {p, up},                    none,   true,   waiting, onGround},
        {waiting, {padStart, click, padA},    none,   true,   waiting, onGround},
        {waiting, {space, other},             none,   false,  waiting, onGround},
        {waiting, {lost},                     none,   true,   waiting, onGround},
        {waiting, {up, space, other},         none,   false,  running, inAir},
        {waiting, {up, p},                    none,   true,   running, inAir},
        {waiting, {up, p, p},                 none,   false,  running, inAir},
        {waiting, {up, padStart, p},          none,   false,  running, inAir},
        {waiting, {up, lost, gained},         none,   false,  running, inAir},
        {waiting, {up, p, lost, gained},      none,   true,   running, inAir},
        {waiting, {up, lost, p, gained},      none,   true,   running, inAir},
        {waiting, {up, p, lost, p},           none,   true,   running, inAir},
        {waiting, {up, padGone},              none,   true,   running, inAir},
        {waiting, {up, padGone, padStart},    none,   false,  running, inAir},
        {waiting, {up, padStart, lost, gained, lost}, none, true, running, inAir},
        {over,    {space},                    start,  false,  over,    hit},
        {over,    {up, click, padA, padX},    none,   false,  over,    hit},
        {over,    {p},                        menu,   false,  over,    hit},
        {over,    {other},                    menu,   false,  over,    hit},
        {over,    {lost, space},              start,  true,   over,    hit},
        {over,    {padStart, space},          start,  false,  over,    hit},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE("case " + std::to_string(i));
        const Case& c = cases[i];
        Game fresh(&test.context);
        if (c.from == over)
            EndOnAFlower(fresh);
        for (std::size_t e = 0; e < c.events.size(); ++e)
        {
            const bool last = e + 1 == c.events.size();
            EXPECT_EQ(fresh.ProcessEvent(c.events[e]), last ? c.lastAnswer : none) << "event " << e;
        }
        EXPECT_EQ(fresh.IsPaused(), c.paused);
        EXPECT_EQ(fresh.GetState(), c.state);
        EXPECT_EQ(ScreenProbe::RunnerState(fresh), c.runner);
        if (c.paused)
        {
            const float viewLeft = fresh.GetViewLeft();
            const sf::Color scoreColour = ScreenProbe::ScoreText(fresh).getFillColor();
            for (int frame = 0; frame < 50; ++frame) // long enough for one blink
                fresh.Update(frameTime);
            EXPECT_EQ(fresh.GetViewLeft(), viewLeft) << "a paused frame scrolled";
            EXPECT_EQ(ScreenProbe::ScoreText(fresh).getFillColor(), scoreColour) << "a paused frame blinked";
        }
    }
}

TEST_F(GameScreen, GameOverButtonsAnswerClicksAndPadsOnlyAfterTheGraceWhileKeysKeepTheirMeaning)
{
    const sf::Vector2f nowhere(20.f, 740.f);
    MoveMouse(test.window, nowhere);
    game.Update(2.f); // scrolled, so screen and world differ
    EndOnAFlower(game);
    const sf::Vector2f playAgain = Centre(Button(GameOverView::playAgainButton));
    const sf::Vector2f startMenu = Centre(Button(GameOverView::startMenuButton));
    EXPECT_GT(playAgain.y, Centre(ScreenProbe::Hint(ScreenProbe::Results(game))).y) << "under the hint";
    EXPECT_LT(playAgain.x, startMenu.x);

    // A jump pressed as the runner crashed, by any device, does nothing for half a second of the
    // view, however long the frame that ended the game waited for another copy's lock.
    game.Update(2.f);
    for (float shown = 0.f; shown < GameOverView::grace - frameTime; shown += frameTime)
        game.Update(frameTime);
    EXPECT_EQ(test.ClickAt(game, playAgain), ScreenRequest::None);
    EXPECT_EQ(game.ProcessEvent(PadButton(padBackButton)), ScreenRequest::None);
    EXPECT_EQ(game.ProcessEvent(PadButton(padChooseButton)), ScreenRequest::None);
    game.Update(frameTime);
    EXPECT_EQ(Button(GameOverView::playAgainButton).getFillColor(), highlightColor) << "hovered";
    EXPECT_EQ(test.ClickAt(game, playAgain), ScreenRequest::StartGame);
    EXPECT_EQ(test.ClickAt(game, startMenu), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(test.ClickAt(game, nowhere), ScreenRequest::None);
    game.Update(frameTime);
    EXPECT_EQ(Button(GameOverView::startMenuButton).getFillColor(), textColor) << "the pointer left";

    // The pad's D-pad moves the focus; A chooses what it shows; B goes to the start menu.
    EXPECT_EQ(game.ProcessEvent(PadPush(sf::Joystick::PovX, 100.f)), ScreenRequest::None);
    game.Update(frameTime);
    EXPECT_EQ(Button(GameOverView::playAgainButton).getFillColor(), highlightColor) << "shown first";
    game.ProcessEvent(PadPush(sf::Joystick::PovX, 0.f));
    game.ProcessEvent(PadPush(sf::Joystick::PovX, 100.f));
    game.Update(frameTime);
    EXPECT_EQ(Button(GameOverView::playAgainButton).getFillColor(), textColor);
    EXPECT_EQ(Button(GameOverView::startMenuButton).getFillColor(), highlightColor);
    EXPECT_EQ(game.ProcessEvent(PadButton(padChooseButton)), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(game.ProcessEvent(PadButton(padBackButton)), ScreenRequest::OpenStartMenu);
    // Whatever the focus, the keys mean what they always meant.
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Up)), ScreenRequest::None);
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Space)), ScreenRequest::StartGame);
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Enter)), ScreenRequest::OpenStartMenu);
}

TEST_F(GameScreen, APausedGameShowsTheBandOverTheFrozenWorldButAnEndedOneDoesNot)
{
    // The band's caption stands in the middle of the screen, where nothing else is drawn.
    const sf::Vector2f caption(windowWidth / 2, 0.43f * windowHeight);
    const sf::Vector2f control = Centre(ScreenProbe::PauseControl(game));
    const auto darkPixelsAround = [](const sf::Image& picture, sf::Vector2f centre) {
        int dark = 0;
        for (int dx = -40; dx <= 40; ++dx)
            for (int dy = -15; dy <= 15; ++dy)
                dark += picture.getPixel(unsigned(centre.x + dx), unsigned(centre.y + dy)).r < 100;
        return dark;
    };
    game.Update(1.f);
    EXPECT_EQ(darkPixelsAround(test.Picture(game), caption), 0);
    EXPECT_GT(darkPixelsAround(test.Picture(game), control), 100) << "no pause control";
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    EXPECT_GT(darkPixelsAround(test.Picture(game), caption), 100) << "\"Pauza\" in bold";

    Game over(&test.context);
    EndOnAFlower(over);
    EXPECT_EQ(darkPixelsAround(test.Picture(over), control), 0) << "a pause control on the results";
    const int results = darkPixelsAround(test.Picture(over), caption);
    over.ProcessEvent(sf::Event{sf::Event::LostFocus, {}});
    ASSERT_TRUE(over.IsPaused());
    EXPECT_EQ(darkPixelsAround(test.Picture(over), caption), results) << "P would not resume a game that is over";
}

TEST_F(GameScreen, ATapOnThePauseControlPausesAndResumesWithoutAJump)
{
    const sf::Vector2f elsewhere(windowWidth / 2, windowHeight / 2);
    const auto pauseAndResume = [&](sf::Vector2f at) {
        test.ClickAt(game, at);
        EXPECT_TRUE(game.IsPaused());
        const float viewLeft = game.GetViewLeft();
        test.ClickAt(game, elsewhere);
        game.Update(1.f);
        EXPECT_EQ(game.GetViewLeft(), viewLeft) << "the paused world moved";
        test.ClickAt(game, at);
        EXPECT_FALSE(game.IsPaused());
        EXPECT_EQ(ScreenProbe::RunnerState(game), PlayerState::OnGround) << "a tap on the control jumped";
    };
    game.Update(1.f);
    pauseAndResume(Centre(ScreenProbe::PauseControl(game)));
    EXPECT_EQ(game.GetState(), GameState::Waiting);

    test.ClickAt(game, elsewhere);
    for (int frame = 0; frame < 100 && ScreenProbe::RunnerState(game) == PlayerState::InAir; ++frame)
        game.Update(frameTime);
    pauseAndResume({1.f, 1.f}); // the corner, beside the picture, still reaches it
}

TEST_F(GameScreen, HandsTheMenusTheirViewBackWhenItGoes)
{
    {
        Game scrolled(&test.context);
        scrolled.Update(2.f);
        scrolled.Draw();
        ASSERT_NE(test.window.getView().getCenter(), test.window.getDefaultView().getCenter());
    }
    EXPECT_EQ(test.window.getView().getCenter(), test.window.getDefaultView().getCenter());
}
} // namespace kvelmora
