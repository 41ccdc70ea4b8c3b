// A scripted player through the level timeline and on for hours, and long frames: the game keeps
// its timeline, its picture, its world and its cost.
#include "../bench/game_autopilot.h"
#include "constants.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace
{
constexpr float longestStep = 1.f / 30.f;     // seconds the game plays in one go
constexpr long threeHours = 3 * 60 * 60 * 30; // steps
constexpr float runnerScreenX = 50.f;         // pixels from the view's left edge
constexpr float tolerance = 0.01f;            // pixels of float rounding in placed positions

// The level timeline as the player meets it, one row per strip; the last row repeats.
struct LevelRow
{
    float speed;  // pixels per second
    float minGap; // least extra gap before a cluster, in window widths
    float maxGap; // greatest extra gap, in window widths
};

const LevelRow levelRows[] = {
    {450.f, 0.4f, 0.6f}, {500.f, 0.4f, 0.6f},  {550.f, 0.35f, 0.55f}, {600.f, 0.35f, 0.55f},
    {650.f, 0.3f, 0.5f}, {700.f, 0.45f, 0.7f}, {700.f, 0.3f, 0.6f},   {750.f, 0.3f, 0.6f},
};

std::vector<sf::FloatRect> Bounds(const std::vector<sf::Sprite>& sprites)
{
    std::vector<sf::FloatRect> bounds;
    for (const sf::Sprite& sprite : sprites)
        bounds.push_back(sprite.getGlobalBounds());
    return bounds;
}

// Each gap before a cluster from flower `first` on lies in the row's range. It counts from the
// strip's start or the previous cluster's margin, whichever is further right.
void ExpectGapsWithin(const std::vector<sf::Sprite>& flowers, std::size_t first, float stripStart, const LevelRow& row)
{
    for (std::size_t i = first; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
    {
        const float previousEnd = i > 0 ? Right(flowers[i - 1]) + spawnMargin : stripStart;
        const float gap = Left(flowers[i]) - std::max(stripStart, previousEnd);
        EXPECT_GE(gap, row.minGap * windowWidth - tolerance) << "before flower " << i;
        EXPECT_LE(gap, row.maxGap * windowWidth + tolerance) << "before flower " << i;
    }
}

// Plays until the runner stands on the ground again after the first jump.
void StartAndLand(Game& game)
{
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    while (game.GetPlayer().GetState() == PlayerState::InAir)
        game.Update(frameTime);
}
} // namespace

TEST(EndlessPlay, EachRowRulesFromItsStripAndAfterHoursThePictureTheGapsAndTheCostHold)
{
    TestContext test;
    SeedRandom(2024); // any fixed seed: each run meets the same world
    Game game(&test.context);
    Autopilot autopilot(game);
    const Player& player = game.GetPlayer();
    const float scoreScreenX = game.GetTexts().at(scoreTextKey).getPosition().x;
    std::size_t collected = 0;
    std::vector<float> strips; // where each strip starts, in the world of its time
    for (long step = 0; step < threeHours; ++step)
    {
        const float viewBefore = game.GetViewLeft();
        const std::size_t row = game.GetSegmentIndex();
        const std::vector<sf::FloatRect> items = Bounds(game.GetGarbage());
        const float lastFlower = game.GetFlowers().empty() ? -1.f : Left(game.GetFlowers().back());
        autopilot.Step(longestStep);
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in step " << step;
        ASSERT_EQ(game.GetSpeed(), levelRows[game.GetSegmentIndex()].speed);
        const float viewLeft = game.GetViewLeft();
        ASSERT_NEAR(player.GetBounds().left - viewLeft, runnerScreenX, 0.01f) << "step " << step;
        ASSERT_NEAR(game.GetTexts().at(scoreTextKey).getPosition().x - viewLeft, scoreScreenX, 0.01f);
        // About ten screens' worth at most: from just behind the view to the end of the strip ahead.
        ASSERT_LE(game.GetFlowers().size(), 100u) << "step " << step;
        ASSERT_LE(game.GetGarbage().size(), 40u) << "step " << step;
        ASSERT_LE(game.GetClouds().size(), 12u) << "step " << step;

        // The world may have moved back by whole screens in this step.
        const float shift = std::round((viewBefore - viewLeft) / windowWidth) * windowWidth;
        // An item under the runner after a step has just been collected.
        for (sf::FloatRect item : items)
        {
            item.left -= shift;
            collected += player.GetBounds().intersects(item);
        }
        if (game.GetSegmentIndex() != row)
        {
            // The next row rules from the step that starts on its strip; the rows all change before
            // the world first moves back.
            ASSERT_LT(row + 1, strips.size());
            EXPECT_EQ(game.GetSegmentIndex(), row + 1);
            EXPECT_GE(viewBefore, strips[row + 1]);
            EXPECT_LT(viewBefore, strips[row + 1] + levelRows[row].speed * longestStep);
        }

        // Flowers stand left to right and those behind the view are dropped: new ones stand right of
        // the last one before. A new strip starts where the view's right edge stood.
        const std::vector<sf::Sprite>& flowers = game.GetFlowers();
        const auto firstNew = std::partition_point(flowers.begin(), flowers.end(), [&](const sf::Sprite& flower) {
            return Left(flower) <= lastFlower - shift;
        });
        if (firstNew == flowers.end())
            continue;
        strips.push_back((std::floor((viewBefore - shift) / windowWidth) + 1) * windowWidth);
        const LevelRow& stripRow = levelRows[std::min(strips.size(), std::size(levelRows)) - 1];
        ExpectGapsWithin(flowers, static_cast<std::size_t>(firstNew - flowers.begin()), strips.back(), stripRow);
        ASSERT_FALSE(HasFailure()) << "step " << step;
    }
    EXPECT_EQ(game.GetSegmentIndex(), std::size(levelRows) - 1);
    EXPECT_GT(strips.size(), 700u); // one every eight screens, about 740 at the top speed
    EXPECT_GT(collected, 1000u);
    EXPECT_EQ(game.GetScore(), 100 * static_cast<int>(collected));

    autopilot.StopJumping();
    for (float played = 0.f; played < 5.f && game.GetState() == GameState::Running; played += longestStep)
        autopilot.Step(longestStep);
    const sf::Text& bestRow = game.GetTexts().at(ScoreTableRowKey(0));
    EXPECT_EQ(bestRow.getString(), L"1. " + FormatScore(game.GetScore()) + L"\n");
    EXPECT_EQ(bestRow.getFont(), &test.context.fonts[boldFontKey]) << "the new result is bold";
}

TEST(EndlessPlay, ALongFrameIsPlayedInShortStepsAndAStallAsAQuarterSecond)
{
    TestContext test;
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
