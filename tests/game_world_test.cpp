// The level timeline and the spawners: clouds, flower clusters and garbage.
#include "../bench/game_autopilot.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace
{
constexpr float frameTime = 1.f / 64.f; // seconds; scrolled distances stay exact in floats
constexpr float width = 1366.f;
constexpr float height = 768.f;
constexpr float margin = 13.66f;
constexpr float ground = 668.f;
constexpr float tolerance = 0.01f; // pixels of float rounding in sums of a few terms

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}

float Right(const sf::Sprite& sprite)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return bounds.left + bounds.width;
}

float Bottom(const sf::Sprite& sprite)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return bounds.top + bounds.height;
}

// Flower indices at which clusters start.
std::vector<std::size_t> ClusterStarts(const std::vector<sf::Sprite>& flowers, std::size_t from = 0)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = from; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
        starts.push_back(i);
    return starts;
}

struct Fill
{
    std::size_t firstFlower; // index of the strip's first flower
    float stripStart;
};

struct SegmentSwitch
{
    std::size_t index;
    float viewLeftBefore; // the view's left edge when the frame began
    float speed;
};
} // namespace

TEST(Timeline, StripsFollowEachOtherAndTheSpeedSwitchesWhenTheViewReachesThem)
{
    SeedRandom(7);
    TestContext test;
    Game game(&test.context);
    Autopilot autopilot(game);
    const std::vector<float> speeds = {450.f, 500.f, 550.f, 600.f, 650.f, 700.f, 700.f, 750.f};

    std::vector<Fill> fills;
    std::vector<SegmentSwitch> switches;
    for (int frame = 0; frame < 64 * 200; ++frame)
    {
        const float viewLeftBefore = frame == 0 ? 0.f : game.GetViewLeft();
        const std::size_t flowersBefore = game.GetFlowers().size();
        const std::size_t indexBefore = game.GetSegmentIndex();
        const float speedBefore = game.GetSpeed();
        autopilot.Step(frameTime);
        ASSERT_EQ(game.GetState(), GameState::Running);
        // The boundary just passed is the one at the whole screens the view had scrolled.
        const float boundary = std::floor(viewLeftBefore / width) * width;
        if (game.GetFlowers().size() != flowersBefore)
            fills.push_back({flowersBefore, boundary + width});
        if (game.GetSegmentIndex() != indexBefore)
            switches.push_back({game.GetSegmentIndex(), viewLeftBefore, game.GetSpeed()});
        else
        {
            ASSERT_EQ(game.GetSpeed(), speedBefore) << "the speed changed without a new segment";
        }
    }

    ASSERT_GE(fills.size(), 10u);
    ASSERT_EQ(switches.size(), 7u);
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    for (std::size_t i = 0; i < fills.size(); ++i)
    {
        if (i > 0)
        {
            EXPECT_EQ(fills[i].stripStart, fills[i - 1].stripStart + 8 * width) << "strip " << i;
        }
        const std::size_t end = i + 1 < fills.size() ? fills[i + 1].firstFlower : flowers.size();
        EXPECT_GE(Left(flowers[fills[i].firstFlower]), fills[i].stripStart) << "strip " << i;
        EXPECT_LT(Left(flowers[end - 1]), fills[i].stripStart + 8 * width) << "strip " << i;
    }
    for (std::size_t i = 0; i < switches.size(); ++i)
    {
        EXPECT_EQ(switches[i].index, i + 1);
        EXPECT_EQ(switches[i].speed, speeds[i + 1]);
        // In force from the frame whose scrolling starts at the strip that was filled for it.
        const float stripStart = fills[i + 1].stripStart;
        EXPECT_GE(switches[i].viewLeftBefore, stripStart);
        EXPECT_LT(switches[i].viewLeftBefore, stripStart + speeds[i] * frameTime);
    }
    // Row 7 keeps filling strips, at 750 pixels per second.
    EXPECT_GE(fills.size(), switches.size() + 3);
    EXPECT_EQ(game.GetSegmentIndex(), 7u);
    EXPECT_EQ(game.GetSpeed(), 750.f);
}

TEST(Timeline, NothingIsPlacedBeforeTheFirstJumpAndTheFirstStripStartsBeyondTheView)
{
    SeedRandom(8);
    TestContext test;
    Game game(&test.context);
    const std::size_t cloudsAtStart = game.GetClouds().size();
    for (int frame = 0; frame < 64 * 10; ++frame)
        game.Update(frameTime);
    EXPECT_TRUE(game.GetFlowers().empty());
    EXPECT_TRUE(game.GetGarbage().empty());
    EXPECT_GT(game.GetClouds().size(), cloudsAtStart);
    EXPECT_EQ(game.GetSpeed(), 450.f);

    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    float viewLeftBefore = game.GetViewLeft();
    while (game.GetFlowers().empty())
    {
        viewLeftBefore = game.GetViewLeft();
        game.Update(frameTime);
    }
    // The strip starts at the right edge of the view whose left edge just passed a boundary.
    const float stripStart = (std::floor(viewLeftBefore / width) + 1) * width;
    EXPECT_GE(Left(game.GetFlowers().front()), stripStart + 0.4f * width - tolerance);
    EXPECT_LE(Left(game.GetFlowers().front()), stripStart + 0.6f * width + tolerance);
    EXPECT_FALSE(game.GetGarbage().empty());
}

TEST(Timeline, TheFirstFrameHandlesNoBoundary)
{
    SeedRandom(9);
    TestContext test;
    Game game(&test.context);
    const std::size_t clouds = game.GetClouds().size();
    game.Update(3.f); // scrolls more than a screen at once
    EXPECT_EQ(game.GetClouds().size(), clouds);
    game.Update(0.f);
    EXPECT_GE(game.GetClouds().size(), clouds); // the boundary now handled; its screen may get no cloud
    EXPECT_EQ(game.GetViewLeft(), 1350.f);
}

TEST(Clouds, StartBeyondTheFirstScreenAndKeepTheirGapsAndBand)
{
    for (unsigned int seed = 1; seed <= 20; ++seed)
    {
        SeedRandom(seed);
        TestContext test;
        Game game(&test.context);
        const std::vector<sf::Sprite>& clouds = game.GetClouds();
        ASSERT_FALSE(clouds.empty());
        EXPECT_GE(Left(clouds.front()), 0.85f * width + margin - tolerance);
        EXPECT_LE(Left(clouds.front()), 1.5f * width + margin + tolerance);
        const std::size_t before = clouds.size();
        game.SpawnClouds(10 * width, width);
        ASSERT_GT(clouds.size(), before) << "seed " << seed;
        EXPECT_GE(Left(clouds[before]), 10.05f * width - tolerance);
        EXPECT_LE(Left(clouds[before]), 10.7f * width + tolerance);
        for (std::size_t i = 0; i < clouds.size(); ++i)
        {
            EXPECT_GE(clouds[i].getGlobalBounds().top, 0.f);
            EXPECT_LE(Bottom(clouds[i]), 0.6f * height - 100.f + tolerance);
            if (i > 0 && i != before)
            {
                EXPECT_GE(Left(clouds[i]) - Right(clouds[i - 1]), 0.06f * width - tolerance);
                EXPECT_LE(Left(clouds[i]) - Right(clouds[i - 1]), 0.71f * width + tolerance);
            }
        }
        EXPECT_LT(Left(clouds.back()), 11 * width);
    }
}

TEST(Clouds, DriftLeftThroughTheWorld)
{
    SeedRandom(3);
    TestContext test;
    Game game(&test.context);
    const float before = Left(game.GetClouds().front());
    game.Update(0.5f);
    EXPECT_FLOAT_EQ(Left(game.GetClouds().front()), before - 50.f);
}

TEST(FlowerClusters, FirstStripClusterAndGapsFollowTheRow)
{
    SeedRandom(11);
    TestContext test;
    Game game(&test.context);
    const LevelSegment row0 = game.GetCurrentSegment();
    game.GenerateSegmentFlowers(row0, 2732.f, 8 * width);
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    ASSERT_FALSE(flowers.empty());
    EXPECT_GE(Left(flowers.front()), 3278.4f - tolerance);
    EXPECT_LE(Left(flowers.front()), 3551.6f + tolerance);
    const std::vector<std::size_t> starts = ClusterStarts(flowers);
    EXPECT_EQ(starts.size(), flowers.size()) << "row 0 clusters hold one flower each";
    for (std::size_t i = 1; i < starts.size(); ++i)
    {
        const float gap = Left(flowers[starts[i]]) - Right(flowers[starts[i] - 1]) - margin;
        EXPECT_GE(gap, 0.4f * width - tolerance);
        EXPECT_LE(gap, 0.6f * width + tolerance);
    }
    EXPECT_LT(Left(flowers.back()), 2732.f + 8 * width);

    // The next strip keeps its distance from a cluster reaching across its start.
    const std::size_t before = flowers.size();
    const float previousRight = Right(flowers.back());
    LevelSegment denser = row0;
    denser.minGap = 0.3f;
    denser.maxGap = 0.3f;
    denser.clusterSizes = {3};
    game.GenerateSegmentFlowers(denser, previousRight - 100.f, 4 * width);
    EXPECT_NEAR(Left(flowers[before]), previousRight + margin + 0.3f * width, tolerance);
    EXPECT_EQ(ClusterStarts(flowers, before).size() * 3, flowers.size() - before);
}

TEST(FlowerClusters, StandThreePixelsApartOnTheGroundAndFindClusterEndFindsTheLast)
{
    SeedRandom(12);
    TestContext test;
    Game game(&test.context);
    game.PlaceFlowerCluster(3, 1000.f);
    game.PlaceFlowerCluster(0, 1500.f);
    game.PlaceFlowerCluster(1, 1500.f);
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    ASSERT_EQ(flowers.size(), 4u);
    EXPECT_EQ(Left(flowers[0]), 1000.f);
    for (std::size_t i = 1; i < 3; ++i)
        EXPECT_EQ(Left(flowers[i]), Right(flowers[i - 1]) + 3.f);
    for (const sf::Sprite& flower : flowers)
        EXPECT_EQ(Bottom(flower), ground);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(FindClusterEnd(flowers, i), 2u);
    EXPECT_EQ(FindClusterEnd(flowers, 3), 3u);
    EXPECT_EQ(FindClusterEnd(flowers, 9), 9u);
}

TEST(Garbage, OneItemInEveryGapFromTheFirstClusterThatReachesTheSegment)
{
    SeedRandom(13);
    TestContext test;
    Game game(&test.context);
    game.PlaceFlowerCluster(1, 1000.f);
    game.PlaceFlowerCluster(2, 1500.f);
    game.PlaceFlowerCluster(1, 2100.f);
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    const std::vector<sf::Sprite>& garbage = game.GetGarbage();
    const float gap1[] = {Right(flowers[0]), Left(flowers[1])};
    const float gap2[] = {Right(flowers[2]), Left(flowers[3])};

    game.PlaceGarbage(900.f);
    ASSERT_EQ(garbage.size(), 2u);
    EXPECT_GE(Left(garbage[0]), gap1[0] + margin);
    EXPECT_LE(Right(garbage[0]), gap1[1] - margin + tolerance);
    EXPECT_GE(Left(garbage[1]), gap2[0] + margin);
    EXPECT_LE(Right(garbage[1]), gap2[1] - margin + tolerance);
    for (const sf::Sprite& item : garbage)
        EXPECT_EQ(Bottom(item), ground);

    game.PlaceGarbage(1560.f);
    ASSERT_EQ(garbage.size(), 3u) << "only the gap after the second cluster";
    EXPECT_GE(Left(garbage[2]), gap2[0] + margin);

    game.PlaceGarbage(Right(flowers[0]));
    EXPECT_EQ(garbage.size(), 5u) << "a cluster ending exactly at the start is not skipped";

    game.PlaceGarbage(2000.f);
    EXPECT_EQ(garbage.size(), 5u) << "a single cluster after the start has no gap";
}

TEST(Garbage, ConsecutiveStripsFillEachGapOnceExceptBeforeAStripsFirstCluster)
{
    SeedRandom(14);
    TestContext test;
    Game game(&test.context);
    const LevelSegment row = game.GetCurrentSegment();
    std::vector<float> stripStarts;
    for (int strip = 0; strip < 3; ++strip)
    {
        stripStarts.push_back((2 + 8 * strip) * width);
        game.GenerateSegmentFlowers(row, stripStarts.back(), 8 * width);
        game.PlaceGarbage(stripStarts.back());
    }
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    const std::vector<sf::Sprite>& garbage = game.GetGarbage();
    const std::vector<std::size_t> starts = ClusterStarts(flowers);
    EXPECT_GT(Left(garbage.front()), Right(flowers.front())) << "nothing before the first cluster";
    std::size_t item = 0;
    for (std::size_t i = 1; i < starts.size(); ++i)
    {
        // A cluster that ends before the next strip's start leaves that strip's first gap empty.
        const float gapLeft = Right(flowers[starts[i] - 1]);
        const float gapRight = Left(flowers[starts[i]]);
        const bool skipped = std::any_of(stripStarts.begin(), stripStarts.end(),
                                         [&](float start) { return gapLeft < start && start <= gapRight; });
        if (skipped)
            continue;
        ASSERT_LT(item, garbage.size());
        EXPECT_GE(Left(garbage[item]), gapLeft + margin - tolerance) << "gap " << i;
        EXPECT_LE(Right(garbage[item]), gapRight - margin + tolerance) << "gap " << i;
        ++item;
    }
    EXPECT_EQ(item, garbage.size());
}
