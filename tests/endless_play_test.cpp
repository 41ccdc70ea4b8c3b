// Hours of play and long frames: the game keeps its picture, its world and its cost.
#include "../bench/game_autopilot.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace
{
constexpr float longestStep = 1.f / 30.f; // seconds the game plays in one go
constexpr float runnerScreenX = 50.f;     // pixels from the view's left edge
constexpr std::size_t timelineStrips = 8; // the strips after these repeat the last row
constexpr float lastRowMinGap = 0.3f;     // window widths
constexpr float lastRowMaxGap = 0.6f;     // window widths

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
        const WorldBefore before(game);
        const std::vector<sf::FloatRect> items = Bounds(game.GetGarbage());
        autopilot.Step(longestStep);
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in step " << step;
        const float viewLeft = game.GetViewLeft();
        ASSERT_NEAR(player.GetBounds().left - viewLeft, runnerScreenX, 0.01f) << "step " << step;
        ASSERT_NEAR(game.GetTexts().at(scoreTextKey).getPosition().x - viewLeft, scoreScreenX, 0.01f);
        // About ten screens' worth at most: from just behind the view to the end of the strip ahead.
        ASSERT_LE(game.GetFlowers().size(), 100u) << "step " << step;
        ASSERT_LE(game.GetGarbage().size(), 40u) << "step " << step;
        ASSERT_LE(game.GetClouds().size(), 12u) << "step " << step;

        // An item under the runner after a step has just been collected.
        for (sf::FloatRect item : items)
        {
            item.left -= WorldShift(game, before);
            collected += player.GetBounds().intersects(item);
        }
        const std::optional<Strip> strip = FindNewStrip(game, before);
        if (!strip)
            continue;
        ++strips;
        if (strips > timelineStrips)
            ExpectGapsWithin(game.GetFlowers(), *strip, lastRowMinGap, lastRowMaxGap);
        ASSERT_FALSE(HasFailure()) << "step " << step;
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
    while (game.GetViewLeft() < windowWidth - 20.f)
        game.Update(frameTime);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    const float before = game.GetViewLeft();
    game.Update(2.f);
    EXPECT_NEAR(game.GetViewLeft() - before, 0.25f * game.GetSpeed(), 0.01f) << "a stall plays a quarter second";
    game.Update(frameTime);
    ASSERT_FALSE(game.GetFlowers().empty());
    EXPECT_GE(Left(game.GetFlowers().front()), 2 * windowWidth + 0.4f * windowWidth) << "the first row's least gap";
    EXPECT_GT(Left(game.GetFlowers().front()), game.GetViewLeft() + windowWidth) << "ahead of the view";
}
