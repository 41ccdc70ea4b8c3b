// A scripted player plays the real game for minutes of simulated time with a fixed frame time.
#include "../bench/game_autopilot.h"
#include "constants.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace
{
constexpr float frameTime = 1.f / 64.f; // seconds; scrolled distances stay exact in floats
constexpr int framesPerMinute = 64 * 60;

using Position = std::pair<float, float>;

std::vector<Position> Positions(const std::vector<sf::Sprite>& sprites)
{
    std::vector<Position> positions;
    for (const sf::Sprite& sprite : sprites)
        positions.emplace_back(sprite.getPosition().x, sprite.getPosition().y);
    return positions;
}

// Items only leave the list by being collected, and are placed screens ahead of the runner.
std::size_t CountCollected(const std::vector<Position>& before, const std::vector<Position>& after)
{
    return static_cast<std::size_t>(std::count_if(before.begin(), before.end(), [&after](const Position& item) {
        return std::find(after.begin(), after.end(), item) == after.end();
    }));
}
} // namespace

TEST(ScriptedPlayer, JumpsOverEveryClusterForMinutesThenLosesOnAFlower)
{
    SeedRandom(2024);
    TestContext test;
    Game game(&test.context);
    Autopilot autopilot(game);

    std::size_t collected = 0;
    for (int frame = 0; frame < 4 * framesPerMinute; ++frame)
    {
        const std::vector<Position> before = Positions(game.GetGarbage());
        autopilot.Step(frameTime);
        collected += CountCollected(before, Positions(game.GetGarbage()));
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower at frame " << frame;
        ASSERT_EQ(game.GetPlayer().GetVelocity().x, game.GetSpeed());
    }
    EXPECT_EQ(game.GetSegmentIndex(), 7u);
    EXPECT_EQ(game.GetSpeed(), 750.f);
    EXPECT_GT(game.GetFlowers().size(), 100u);
    EXPECT_GT(collected, 20u);
    EXPECT_EQ(game.GetScore(), 100 * static_cast<int>(collected));

    autopilot.StopJumping();
    for (int frame = 0; frame < 5 * 64 && game.GetState() == GameState::Running; ++frame)
        autopilot.Step(frameTime);
    ASSERT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_EQ(game.GetPlayer().GetState(), PlayerState::Hit);
    EXPECT_EQ(test.context.highScores[0], game.GetScore());
    EXPECT_EQ(game.GetTexts().at(gameOverTextKey).getString(), sf::String(gameOverCaption));
    EXPECT_EQ(game.GetTexts().at(ScoreTableRowKey(0)).getString(),
              sf::String(L"1. " + FormatScore(game.GetScore()) + L"\n"));
    EXPECT_EQ(game.GetTexts().at(gameOverInstructionsKey).getString(), sf::String(gameOverHint));
}
