// Hours of play and long frames: the game keeps its picture, its world and its cost.
#include "../bench/game_autopilot.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr float width = 1366.f, margin = 13.66f; // pixels: the window and the spawners' clearance
constexpr float longestStep = 1.f / 30.f;        // seconds the game plays in one go
constexpr float frameTime = 1.f / 60.f;          // seconds
constexpr float runnerScreenX = 50.f;            // pixels from the view's left edge

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}
float Right(const sf::Sprite& sprite)
{
    return Left(sprite) + sprite.getGlobalBounds().width;
}

std::vector<sf::FloatRect> Bounds(const std::vector<sf::Sprite>& sprites)
{
    std::vector<sf::FloatRect> bounds;
    for (const sf::Sprite& sprite : sprites)
        bounds.push_back(sprite.getGlobalBounds());
    return bounds;
}

// Plays until the runner stands on the ground again after the first jump.
void StartAndLand(Game& game)
{
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    while (game.GetPlayer().GetState() == PlayerState::InAir)
        game.Update(frameTime);
}

class EndlessPlay : public ::testing::Test
{
protected:
    TestContext test;
};
} // namespace

TEST_F(EndlessPlay, AfterHoursTheRunnerAndScoreKeepTheirPlacesStripsMeetTheViewsEdgeAndFewSpritesAreHeld)
{
    SeedRandom(2024);
    Game game(&test.context);
    Autopilot autopilot(game);
    const Player& player = game.GetPlayer();
    const float scoreScreenX = game.GetTexts().at(scoreTextKey).getPosition().x;
    std::size_t collected = 0;
    std::size_t strips = 0;
    for (long step = 0; step < 3 * 60 * 60 * 30; ++step) // three hours
    {
        const float viewBefore = game.GetViewLeft();
        const std::vector<sf::FloatRect> items = Bounds(game.GetGarbage());
        const float lastFlower = game.GetFlowers().empty() ? -1.f : Left(game.GetFlowers().back());
        autopilot.Step(longestStep);
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in step " << step;
        const float viewLeft = game.GetViewLeft();
        ASSERT_NEAR(player.GetBounds().left - viewLeft, runnerScreenX, 0.01f) << "step " << step;
        ASSERT_NEAR(game.GetTexts().at(scoreTextKey).getPosition().x - viewLeft, scoreScreenX, 0.01f);
        // About ten screens' worth at most: from just behind the view to the end of the strip ahead.
        ASSERT_LE(game.GetFlowers().size(), 100u) << "step " << step;
        ASSERT_LE(game.GetGarbage().size(), 40u) << "step " << step;
        ASSERT_LE(game.GetClouds().size(), 12u) << "step " << step;

        // The world may have moved back by whole screens in this step.
        const float shift = std::round((viewBefore - viewLeft) / width) * width;
        // An item under the runner after a step has just been collected.
        for (sf::FloatRect item : items)
        {
            item.left -= shift;
            collected += player.GetBounds().intersects(item);
        }
        const std::vector<sf::Sprite>& flowers = game.GetFlowers();
        if (flowers.empty() || Left(flowers.back()) == lastFlower - shift)
            continue;
        // A new strip, which starts where the view's right edge stood: its first cluster keeps the
        // top rows' gap (0.3 to 0.6 screens) from there or from the previous cluster's margin.
        ++strips;
        const float stripStart = (std::floor((viewBefore - shift) / width) + 1.f) * width;
        const auto first = std::partition_point(flowers.begin(), flowers.end(), [&](const sf::Sprite& flower) {
            return Left(flower) <= lastFlower - shift;
        });
        const float previousEnd = first == flowers.begin() ? 0.f : Right(*(first - 1)) + margin;
        const float gap = Left(*first) - std::max(stripStart, previousEnd);
        if (game.GetSegmentIndex() >= 5)
        {
            ASSERT_TRUE(gap >= 0.3f * width - 0.01f && gap <= 0.6f * width + 0.01f) << gap << " in step " << step;
        }
    }
    EXPECT_GT(strips, 700u); // one every eight screens, about 740 at the top speed
    EXPECT_GT(collected, 1000u);
    EXPECT_EQ(game.GetScore(), 100 * static_cast<int>(collected));
}

TEST_F(EndlessPlay, ALongFrameIsPlayedInShortStepsAndAStallAsAQuarterSecond)
{
    // A flower 30 pixels ahead of the runner, met in a long frame as in ordinary ones.
    for (const float frame : {frameTime, 2.f})
    {
        SeedRandom(2024);
        Game game(&test.context);
        StartAndLand(game);
        const sf::FloatRect runner = game.GetPlayer().GetBounds();
        game.PlaceFlowerCluster(1, runner.left + runner.width + 30.f);
        for (float played = 0.f; played < 2.f; played += frame)
            game.Update(frame);
        EXPECT_EQ(game.GetState(), GameState::GameOver) << "frames of " << frame << " s";
    }

    // A stall just before the first strip is due: the strip still starts at the view's right edge.
    SeedRandom(2024);
    Game game(&test.context);
    while (game.GetViewLeft() < width - 20.f)
        game.Update(frameTime);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    const float before = game.GetViewLeft();
    game.Update(2.f);
    EXPECT_NEAR(game.GetViewLeft() - before, 0.25f * game.GetSpeed(), 0.01f) << "a stall plays a quarter second";
    game.Update(frameTime);
    ASSERT_FALSE(game.GetFlowers().empty());
    EXPECT_GE(Left(game.GetFlowers().front()), 2 * width + 0.4f * width) << "the first row's least gap";
    EXPECT_GT(Left(game.GetFlowers().front()), game.GetViewLeft() + width) << "ahead of the view";
}
