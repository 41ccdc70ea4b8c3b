// A scripted player through the level timeline and on for hours, and long frames: the game keeps
// its timeline, its picture, its world and its cost.
#include "game_autopilot.h"
#include "constants.h"
#include "random.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>
#include <vector>

namespace kvelmora
{

namespace
{
constexpr float longestStep = 1.f / 30.f;     // seconds the game plays in one go
constexpr long threeHours = 3 * 60 * 60 * 30; // steps
constexpr float runnerScreenX = 50.f;         // pixels from the view's left edge
constexpr float tolerance = 0.01f;            // pixels of float rounding in placed positions

std::vector<sf::FloatRect> Bounds(const std::vector<sf::Sprite>& sprites)
{
    std::vector<sf::FloatRect> bounds;
    for (const sf::Sprite& sprite : sprites)
        bounds.push_back(sprite.getGlobalBounds());
    return bounds;
}

// Each gap before a cluster from flower `first` on lies in the row's range. It counts from the
// strip's start or the previous cluster's margin, whichever is further right.
void ExpectGapsWithin(const std::vector<sf::Sprite>& flowers, std::size_t first, float stripStart,
                      const LevelSegment& row)
{
    for (std::size_t i = first; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
    {
        const float previousEnd = i > 0 ? Right(flowers[i - 1]) + spawnMargin : stripStart;
        const float gap = Left(flowers[i]) - std::max(stripStart, previousEnd);
        EXPECT_GE(gap, row.minGap * windowWidth - tolerance) << "before flower " << i;
        EXPECT_LE(gap, row.maxGap * windowWidth + tolerance) << "before flower " << i;
    }
}

} // namespace

TEST(EndlessPlay, EachRowRulesFromItsStripAndAfterHoursThePictureTheGapsAndTheCostHold)
{
    TestContext test;
    SeedRandom(2024); // any fixed seed: each run meets the same world
    Game game(&test.context);
    Autopilot autopilot(game);
    const Player& player = ScreenProbe::Runner(game);
    const World& world = ScreenProbe::WorldOf(game);
    const std::vector<LevelSegment>& timeline = ScreenProbe::Timeline(world);
    std::size_t collected = 0;
    std::vector<float> strips; // where each strip starts, in the world of its time
    for (long step = 0; step < threeHours; ++step)
    {
        const float viewBefore = game.GetViewLeft();
        const float speedBefore = game.GetSpeed();
        const std::size_t row = ScreenProbe::SegmentIndex(world);
        const std::vector<sf::FloatRect> items = Bounds(ScreenProbe::Garbage(world));
        const float lastFlower = ScreenProbe::Flowers(world).empty() ? -1.f : Left(ScreenProbe::Flowers(world).back());
        autopilot.Step(longestStep);
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in step " << step;
        ASSERT_GE(game.GetSpeed(), speedBefore) << "the speed only ever rises";
        const float viewLeft = game.GetViewLeft();
        ASSERT_NEAR(player.GetBounds().left - viewLeft, runnerScreenX, 0.01f) << "step " << step;

        // The world may have moved back by whole screens in this step.
        const float shift = std::round((viewBefore - viewLeft) / windowWidth) * windowWidth;
        // An item under the runner after a step has just been collected.
        for (sf::FloatRect item : items)
        {
            item.left -= shift;
            collected += player.GetBounds().intersects(item);
        }
        if (ScreenProbe::SegmentIndex(world) != row)
        {
            // The next row rules from the step that starts on its strip; the rows all change before
            // the world first moves back.
            ASSERT_LT(row + 1, strips.size());
            EXPECT_EQ(ScreenProbe::SegmentIndex(world), row + 1);
            EXPECT_GE(viewBefore, strips[row + 1]);
            EXPECT_LT(viewBefore, strips[row + 1] + timeline[row].speed * longestStep);
        }

        // Flowers stand left to right and those behind the view are dropped: new ones stand right of
        // the last one before. A new strip starts where the view's right edge stood.
        const std::vector<sf::Sprite>& flowers = ScreenProbe::Flowers(world);
        const auto firstNew = std::partition_point(flowers.begin(), flowers.end(), [&](const sf::Sprite& flower) {
            return Left(flower) <= lastFlower - shift;
        });
        if (firstNew == flowers.end())
            continue;
        strips.push_back((std::floor((viewBefore - shift) / windowWidth) + 1) * windowWidth);
        const LevelSegment& stripRow = timeline[std::min(strips.size(), timeline.size()) - 1];
        ExpectGapsWithin(flowers, static_cast<std::size_t>(firstNew - flowers.begin()), strips.back(), stripRow);
        ASSERT_FALSE(HasFailure()) << "step " << step;
    }
    EXPECT_EQ(ScreenProbe::SegmentIndex(world), timeline.size() - 1);
    EXPECT_GT(strips.size(), 700u); // one every eight screens, about 740 at the top speed
    EXPECT_GT(collected, 1000u);
    EXPECT_EQ(world.GetScore(), 100 * static_cast<int>(collected));

    autopilot.StopJumping();
    for (float played = 0.f; played < 5.f && game.GetState() == GameState::Running; played += longestStep)
        autopilot.Step(longestStep);
    const sf::Text& bestRow = ScreenProbe::Rows(ScreenProbe::Results(game)).at(0);
    EXPECT_EQ(bestRow.getString(), L"1. " + FormatScore(world.GetScore()) + L"\n");
    EXPECT_EQ(bestRow.getFont(), &test.context.fonts[boldFontKey]) << "the new result is bold";
}

TEST(EndlessPlay, ALongFrameIsPlayedInShortStepsAndAStallAsAQuarterSecond)
{
    TestContext test;
    // A quarter second at the first speed runs 112 pixels, further than the narrowest flower and the
    // runner together: a flower of each kind just ahead ends the game as it does in ordinary frames.
    std::set<float> widths;
    for (unsigned int seed = 0; seed < 12; ++seed)
    {
        for (const float frame : {frameTime, 0.25f})
        {
            SeedRandom(seed);
            Game game(&test.context);
            game.Start();
            const sf::FloatRect runner = ScreenProbe::Runner(game).GetBounds();
            World& world = ScreenProbe::WorldOf(game);
            world.PlaceFlowerCluster(1, runner.left + runner.width + 2.f);
            widths.insert(ScreenProbe::Flowers(world).back().getGlobalBounds().width);
            for (float played = 0.f; played < 0.25f; played += frame)
                game.Update(frame);
            EXPECT_EQ(game.GetState(), GameState::GameOver) << "seed " << seed << ", frames of " << frame << " s";
        }
    }
    EXPECT_EQ(widths.size(), 3u) << "every kind of flower met";

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
    const World& world = ScreenProbe::WorldOf(game);
    ASSERT_FALSE(ScreenProbe::Flowers(world).empty());
    EXPECT_GE(Left(ScreenProbe::Flowers(world).front()), 2 * windowWidth + 0.4f * windowWidth)
        << "the first row's least gap";
    EXPECT_GT(Left(ScreenProbe::Flowers(world).front()), game.GetViewLeft() + windowWidth) << "ahead of the view";
}

// The level that can be played at the normal speed can be played at half of it: the same seed meets the
// same flowers, and the same player's jumps clear them all, through every row of the timeline.
TEST(EndlessPlay, AtHalfSpeedTheAutopilotClearsTheSameScreensAsAtTheNormalSpeed)
{
    TestContext test;
    constexpr float screens = 70.f; // past the last row's start, and before the world first moves back
    std::vector<std::vector<float>> flowersMet;
    for (const int speed : {100, 50})
    {
        while (test.context.speed.GetSpeed() != speed)
            test.context.speed.Step();
        SeedRandom(2024);
        Game game(&test.context);
        Autopilot autopilot(game);
        std::vector<float> lefts;
        while (game.GetViewLeft() < screens * windowWidth)
        {
            autopilot.Step(1.f / 60);
            ASSERT_NE(game.GetState(), GameState::GameOver) << speed << " % at " << game.GetViewLeft();
            for (const sf::Sprite& flower : ScreenProbe::Flowers(ScreenProbe::WorldOf(game)))
                if (lefts.empty() || Left(flower) > lefts.back())
                    lefts.push_back(Left(flower));
        }
        EXPECT_EQ(game.GetSpeed(), 750.f) << speed << " %: the last row";
        flowersMet.push_back(lefts);
    }
    EXPECT_EQ(flowersMet[0], flowersMet[1]);
}
} // namespace kvelmora
