// The runner: its jump, its landing and its run cycle.
#include "../bench/game_autopilot.h"
#include "game.h"
#include "player.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr float frameTime = 1.f / 64.f; // seconds
constexpr float ground = 668.f;

int Column(const Player& player)
{
    return player.GetSprite().getTextureRect().left / static_cast<int>(player.GetFrameSize().x);
}

int Row(const Player& player)
{
    return player.GetSprite().getTextureRect().top / static_cast<int>(player.GetFrameSize().y);
}
} // namespace

TEST(Runner, StandsOnTheGroundShowingOneFrameOfTheSheet)
{
    TestContext test;
    const Game game(&test.context);
    const Player& player = game.GetPlayer();
    const sf::Vector2u sheet = test.context.textures["player-74"].getSize();
    const sf::FloatRect bounds = player.GetBounds();
    EXPECT_EQ(player.GetFrameSize(), sf::Vector2u(sheet.x / 5, sheet.y / 3));
    EXPECT_EQ(bounds.left, 50.f);
    EXPECT_EQ(bounds.top + bounds.height, ground);
    EXPECT_EQ(bounds.width, static_cast<float>(sheet.x / 5));
    EXPECT_EQ(player.GetState(), PlayerState::OnGround);
    EXPECT_FLOAT_EQ(player.GetFrameTimer(), 20.f / 450.f);
}

TEST(Runner, JumpRisesAboutFourHundredPixelsAndLandsExactlyOnTheGround)
{
    TestContext test;
    Game game(&test.context);
    const float standingY = game.GetPlayer().GetBounds().top;
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    const Player& player = game.GetPlayer();
    EXPECT_EQ(game.GetState(), GameState::Running) << "the first jump starts the game";
    EXPECT_EQ(player.GetState(), PlayerState::InAir);
    EXPECT_EQ(player.GetVelocity().y, -2500.f);
    EXPECT_EQ(Row(player), 1);

    float highest = standingY;
    int frames = 0;
    while (player.GetState() == PlayerState::InAir && frames < 200)
    {
        game.Update(frameTime);
        highest = std::min(highest, player.GetBounds().top);
        ++frames;
        if (player.GetState() == PlayerState::InAir)
        {
            EXPECT_EQ(player.GetBounds().left, game.GetViewLeft() + 50.f) << "keeps its place on the screen";
        }
    }
    EXPECT_NEAR(standingY - highest, 446.f, 25.f);
    EXPECT_NEAR(frames * frameTime, 0.714f, 2 * frameTime);
    EXPECT_EQ(player.GetState(), PlayerState::OnGround);
    EXPECT_EQ(player.GetBounds().top, standingY);
    EXPECT_EQ(player.GetVelocity().y, 0.f);
    EXPECT_EQ(Row(player), 0);
    EXPECT_EQ(Column(player), 0);
}

TEST(Runner, UpInTheAirChangesNothing)
{
    TestContext test;
    Game game(&test.context);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    game.Update(frameTime);
    const Player& player = game.GetPlayer();
    const sf::Vector2f velocity = player.GetVelocity();
    const float timer = player.GetFrameTimer();
    const sf::IntRect frame = player.GetSprite().getTextureRect();
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    EXPECT_EQ(player.GetVelocity(), velocity);
    EXPECT_EQ(player.GetFrameTimer(), timer);
    EXPECT_EQ(player.GetSprite().getTextureRect(), frame);
    EXPECT_EQ(player.GetState(), PlayerState::InAir);
}

TEST(Runner, RunCycleShowsColumnsZeroToFourInTurnAndPausesInTheAir)
{
    TestContext test;
    Game game(&test.context);
    const Player& player = game.GetPlayer();
    std::vector<int> columns;
    for (int frame = 0; frame < 7; ++frame)
    {
        game.Update(0.05f); // longer than one run frame at 450 pixels per second
        columns.push_back(Column(player));
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 4, 0, 1, 2}));
    EXPECT_EQ(Row(player), 0);

    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    for (int frame = 0; frame < 5; ++frame)
    {
        game.Update(0.05f);
        EXPECT_EQ(Column(player), 0);
        EXPECT_EQ(Row(player), 1);
    }
}

TEST(Runner, PaceAndRunningSpeedFollowTheSegmentInForce)
{
    SeedRandom(21);
    TestContext test;
    Game game(&test.context);
    Autopilot autopilot(game);
    const Player& player = game.GetPlayer();
    while (game.GetSegmentIndex() == 0)
    {
        autopilot.Step(frameTime);
        ASSERT_EQ(game.GetState(), GameState::Running);
    }
    EXPECT_EQ(player.GetVelocity().x, 500.f) << "the same frame as the switch";
    // The run cycle takes the new pace at its next reset.
    float previousTimer = player.GetFrameTimer();
    for (int frame = 0; frame < 200; ++frame)
    {
        autopilot.Step(frameTime);
        if (player.GetFrameTimer() > previousTimer)
        {
            EXPECT_FLOAT_EQ(player.GetFrameTimer(), 20.f / 500.f);
        }
        previousTimer = player.GetFrameTimer();
    }
}
