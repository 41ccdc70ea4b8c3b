// The keys and focus changes of the game screen, in each state, and what a paused frame does.
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr float step = 1.f / 64.f; // seconds

sf::Event Focus(bool gained)
{
    sf::Event event;
    event.type = gained ? sf::Event::GainedFocus : sf::Event::LostFocus;
    return event;
}

void EndTheGame(Game& game)
{
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    game.PlaceFlowerCluster(1, runner.left + runner.width - 10.f);
    game.CheckFlowerContact();
}

// Everything a frame could change, to compare before and after.
struct Snapshot
{
    explicit Snapshot(const Game& game)
        : viewLeft(game.GetViewLeft())
        , runner(game.GetPlayer().GetBounds())
        , frameTimer(game.GetPlayer().GetFrameTimer())
        , score(game.GetTexts().at(scoreTextKey).getString())
        , scoreLeft(game.GetTexts().at(scoreTextKey).getPosition().x)
        , firstCloud(game.GetClouds().front().getPosition())
        , textCount(game.GetTexts().size())
        , state(game.GetState())
    {
    }

    bool operator==(const Snapshot& other) const
    {
        return viewLeft == other.viewLeft && runner == other.runner && frameTimer == other.frameTimer &&
               score == other.score && scoreLeft == other.scoreLeft && firstCloud == other.firstCloud &&
               textCount == other.textCount && state == other.state;
    }

    float viewLeft;
    sf::FloatRect runner;
    float frameTimer;
    sf::String score;
    float scoreLeft;
    sf::Vector2f firstCloud;
    std::size_t textCount;
    GameState state;
};
} // namespace

TEST(GameKeys, WhileWaitingUpStartsAndPPausesAndNothingLeavesTheScreen)
{
    TestContext test;
    Game game(&test.context);
    for (const auto key : {sf::Keyboard::Space, sf::Keyboard::A, sf::Keyboard::Return, sf::Keyboard::Down})
    {
        EXPECT_EQ(game.ProcessEvent(KeyPress(key)), ScreenRequest::None);
        EXPECT_EQ(game.GetState(), GameState::Waiting);
    }
    EXPECT_EQ(game.ProcessEvent(LeftClick()), ScreenRequest::None);
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::P)), ScreenRequest::None);
    EXPECT_TRUE(game.IsPaused());
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Up)), ScreenRequest::None);
    EXPECT_EQ(game.GetState(), GameState::Waiting) << "no start while paused";
    EXPECT_EQ(game.GetPlayer().GetState(), PlayerState::OnGround);
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    EXPECT_FALSE(game.IsPaused());
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Up)), ScreenRequest::None);
    EXPECT_EQ(game.GetState(), GameState::Running);
    EXPECT_EQ(game.GetPlayer().GetState(), PlayerState::InAir);
}

TEST(GameKeys, WhileRunningOnlyUpAndPDoAnything)
{
    TestContext test;
    Game game(&test.context);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    for (const auto key : {sf::Keyboard::Space, sf::Keyboard::A, sf::Keyboard::Return})
        EXPECT_EQ(game.ProcessEvent(KeyPress(key)), ScreenRequest::None);
    EXPECT_EQ(game.GetState(), GameState::Running);
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    EXPECT_TRUE(game.IsPaused());
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    EXPECT_FALSE(game.IsPaused());
}

TEST(GameKeys, AfterTheEndSpaceStartsAnewUpStaysAndAnyOtherKeyLeaves)
{
    TestContext test;
    Game game(&test.context);
    EndTheGame(game);
    ASSERT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Space)), ScreenRequest::StartGame);
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Up)), ScreenRequest::None);
    for (const auto key : {sf::Keyboard::P, sf::Keyboard::A, sf::Keyboard::Return, sf::Keyboard::Down})
        EXPECT_EQ(game.ProcessEvent(KeyPress(key)), ScreenRequest::OpenStartMenu) << key;
    EXPECT_EQ(game.ProcessEvent(LeftClick()), ScreenRequest::None);
    game.ProcessEvent(Focus(false));
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::Space)), ScreenRequest::StartGame) << "also while paused";
    EXPECT_EQ(game.ProcessEvent(KeyPress(sf::Keyboard::A)), ScreenRequest::OpenStartMenu);
}

TEST(GamePause, FocusPausesAndResumesEvenAPauseMadeWithP)
{
    TestContext test;
    Game game(&test.context);
    EXPECT_EQ(game.ProcessEvent(Focus(false)), ScreenRequest::None);
    EXPECT_TRUE(game.IsPaused());
    EXPECT_EQ(game.ProcessEvent(Focus(true)), ScreenRequest::None);
    EXPECT_FALSE(game.IsPaused());
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    game.ProcessEvent(Focus(false));
    game.ProcessEvent(Focus(true));
    EXPECT_FALSE(game.IsPaused());
}

TEST(GamePause, PausedFramesChangeNothing)
{
    TestContext test;
    Game game(&test.context);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    game.Update(step);
    for (const sf::Event& pause : {KeyPress(sf::Keyboard::P), Focus(false)})
    {
        game.ProcessEvent(pause);
        const Snapshot before(game);
        for (int frame = 0; frame < 100; ++frame)
            game.Update(step);
        EXPECT_TRUE(Snapshot(game) == before);
        game.ProcessEvent(Focus(true));
        ASSERT_FALSE(game.IsPaused());
    }
    game.Update(step);
    EXPECT_GT(game.GetViewLeft(), 0.f);
}

TEST(GameInstructions, StayWhileWaitingAndGoForGoodInTheFrameAfterTheFirstJump)
{
    TestContext test;
    Game game(&test.context);
    for (int frame = 0; frame < 64; ++frame)
        game.Update(step);
    EXPECT_EQ(game.GetTexts().count(instructionsTextKey), 1u);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    EXPECT_EQ(game.GetTexts().count(instructionsTextKey), 1u);
    game.Update(step);
    EXPECT_EQ(game.GetTexts().count(instructionsTextKey), 0u);
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    game.ProcessEvent(Focus(false));
    game.ProcessEvent(Focus(true));
    game.Update(step);
    EXPECT_EQ(game.GetTexts().count(instructionsTextKey), 0u);
}

TEST(GameScreen, PutsTheDefaultViewBackWhenItGoes)
{
    TestContext test;
    {
        Game game(&test.context);
        game.Update(1.f);
        EXPECT_GT(test.window.getView().getCenter().x, 683.f);
    }
    EXPECT_EQ(test.window.getView().getCenter(), test.window.getDefaultView().getCenter());
}
