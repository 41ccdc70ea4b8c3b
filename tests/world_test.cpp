// The world without a window: spawners, contacts, scoring and the end of a game. It loads no picture
// and opens no window, so these run with no display at all.
#include "best_results.h"
#include "game_clock.h"
#include "random.h"
#include "screen_probe.h"
#include "test_support.h"
#include "world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvelmora
{

namespace
{
constexpr float tolerance = 0.01f; // pixels of float rounding in placed positions

class WorldTest : public TempFolderTest
{
protected:
    // Without a picture, which would need a display: a look is measured by its rectangle alone.
    static sf::Sprite Look(int width, int height)
    {
        sf::Sprite look;
        look.setTextureRect({0, 0, width, height});
        return look;
    }

    WorldLooks MakeLooks() const
    {
        WorldLooks looks;
        looks.smallClouds = {Look(128, 64)};
        looks.largeClouds = {Look(256, 128)};
        looks.garbage = {Look(20, 40)};
        for (const auto& [name, width] : flowerWidths)
            looks.flowers.push_back({name, Look(width, 68)});
        return looks;
    }

    // One frame of a running game's world; each boundary counts a screen of the timeline.
    void Step() { Step(world, frameTime); }
    void Step(World& played, float dt)
    {
        while (played.PassScreenBoundary())
        {
            const std::optional<Strip> strip = played.AdvanceTimeline();
            if (!strip)
                continue;
            played.GenerateSegmentFlowers(strip->segment, strip->fromX, strip->width);
            played.PlaceGarbage(strip->fromX);
            strips.push_back(*strip);
        }
        played.Scroll(dt);
        played.DriftClouds(dt);
    }

    const std::vector<sf::Sprite>& Flowers() const { return ScreenProbe::Flowers(world); }
    const std::vector<sf::Sprite>& Garbage() const { return ScreenProbe::Garbage(world); }

    const std::map<std::string, int> flowerWidths = {{"len", 40}, {"hvezdnice", 50}, {"sasanka", 60}};
    BestResultsStore bestResults{folder / "high_scores.txt"};
    World world{MakeLooks(), bestResults};
    std::vector<Strip> strips; // as they came due
};
} // namespace

TEST_F(WorldTest, ItemsGoIntoEachGapFromTheFirstClusterReachingTheStart)
{
    world.PlaceFlowerCluster(1, 1000.f); // flower 0
    world.PlaceFlowerCluster(3, 1500.f); // flowers 1 to 3
    world.PlaceFlowerCluster(1, 2100.f); // flower 4
    struct Case
    {
        float start;
        std::vector<std::size_t> gapsAfter; // the last flowers of the clusters that get an item
        const char* where;
    };
    const Case cases[] = {
        {900.f, {0, 3}, "before every cluster"},
        {Right(Flowers()[0]), {0, 3}, "exactly at the first cluster's end"},
        {1560.f, {3}, "inside the second cluster"},
        {2000.f, {}, "in the last gap"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.where);
        const std::size_t before = Garbage().size();
        world.PlaceGarbage(c.start);
        ASSERT_EQ(Garbage().size() - before, c.gapsAfter.size());
        for (std::size_t k = 0; k < c.gapsAfter.size(); ++k)
        {
            const sf::Sprite& item = Garbage()[before + k];
            const std::size_t clusterEnd = c.gapsAfter[k];
            EXPECT_GE(Left(item), Right(Flowers()[clusterEnd]) + spawnMargin);
            EXPECT_LE(Right(item), Left(Flowers()[clusterEnd + 1]) - spawnMargin + tolerance);
            const sf::FloatRect bounds = item.getGlobalBounds();
            EXPECT_EQ(bounds.top + bounds.height, world.GetGroundY()) << "on the ground line";
        }
    }
    EXPECT_EQ(FindClusterEnd(Flowers(), 1), 3u);
    EXPECT_EQ(Left(Flowers()[2]), Right(Flowers()[1]) + 3.f) << "a cluster's flowers stand 3 pixels apart";
}

TEST_F(WorldTest, AFlowerEndsTheGameOnlyWithFivePixelsOfOverlapEachWayAndTheKindHitIsKept)
{
    world.PlaceFlowerCluster(1, 1000.f);
    const sf::FloatRect flower = Flowers()[0].getGlobalBounds();
    const sf::Vector2f runnerSize(50.f, 74.f);
    struct Case
    {
        sf::Vector2f runnerPosition; // the flower's top-left corner at the origin
        bool touches;
        const char* overlap;
    };
    const Case cases[] = {
        {{-45.1f, 10.f}, false, "4.9 wide"},
        {{-45.f, 10.f}, true, "5 wide"},
        {{0.f, -69.1f}, false, "4.9 high"},
        {{-45.f, -69.f}, true, "5 by 5"},
        {{-50.f, 10.f}, false, "none, edges touching"},
    };
    for (const Case& c : cases)
    {
        const sf::FloatRect runner({flower.left + c.runnerPosition.x, flower.top + c.runnerPosition.y}, runnerSize);
        EXPECT_EQ(world.CheckFlowerContact(runner), c.touches) << c.overlap;
    }

    // Within a cluster, the kind of the flower under the runner; each kind has a width of its own.
    for (int cluster = 0; cluster < 10; ++cluster)
    {
        world.PlaceFlowerCluster(3, 2000.f + 500.f * static_cast<float>(cluster));
        const sf::FloatRect middle = Flowers()[Flowers().size() - 2].getGlobalBounds();
        ASSERT_TRUE(world.CheckFlowerContact({middle.left + 5.f, middle.top, 10.f, 10.f}));
        EXPECT_EQ(flowerWidths.at(world.GetHitFlower()), static_cast<int>(middle.width)) << "cluster " << cluster;
    }
}

TEST_F(WorldTest, TouchedItemsScoreAHundredEachAndTheResultIsSavedAtOnce)
{
    world.PlaceFlowerCluster(1, 1000.f);
    world.PlaceFlowerCluster(1, 1500.f);
    world.PlaceFlowerCluster(1, 2000.f);
    world.PlaceGarbage(0.f);
    ASSERT_EQ(Garbage().size(), 2u);
    const sf::FloatRect first = Garbage()[0].getGlobalBounds();
    const sf::FloatRect second = Garbage()[1].getGlobalBounds();

    const sf::FloatRect edgeToEdge(first.left + first.width, first.top, 10.f, 10.f);
    EXPECT_EQ(world.CollectGarbage(edgeToEdge), 0);
    const sf::FloatRect overBoth(first.left + first.width - 0.5f, first.top, second.left - first.left, 10.f);
    EXPECT_EQ(world.CollectGarbage(overBoth), 2);
    EXPECT_TRUE(Garbage().empty());
    EXPECT_EQ(world.GetScore(), 200);

    EXPECT_EQ(world.InsertBestResult(), 0);
    EXPECT_EQ(ReadFile(folder / "high_scores.txt"), "200\n0\n0\n0\n0\n");
}

constexpr float movedBack = 80 * windowWidth; // the world moves back by whole screens now and then

TEST_F(WorldTest, TheRowsComeInOrderOnStripsThatJoinWhileLittleIsKept)
{
    SeedRandom(11);
    std::vector<float> speeds = {world.GetSpeed()};
    for (int frame = 0; frame < 5 * 60 * 64; ++frame)
    {
        Step();
        if (world.GetSpeed() != speeds.back())
            speeds.push_back(world.GetSpeed());
        // About ten screens' worth at most: from just behind the view to the end of the strip ahead.
        ASSERT_LE(Flowers().size(), 100u) << "frame " << frame;
        ASSERT_LE(Garbage().size(), 40u) << "frame " << frame;
        ASSERT_LE(ScreenProbe::Clouds(world).size(), 12u) << "frame " << frame;
    }
    EXPECT_EQ(speeds, (std::vector<float>{450.f, 500.f, 550.f, 600.f, 650.f, 700.f, 750.f}));
    EXPECT_LT(world.GetViewLeft(), movedBack) << "the world moved back";
    // Flowers behind the view are gone; the kinds of those left still follow them.
    for (const sf::Sprite& flower : Flowers())
    {
        const sf::FloatRect bounds = flower.getGlobalBounds();
        ASSERT_TRUE(world.CheckFlowerContact({bounds.left + 5.f, bounds.top, 10.f, 10.f}));
        ASSERT_EQ(flowerWidths.at(world.GetHitFlower()), static_cast<int>(bounds.width)) << Left(flower);
    }
    for (std::size_t i = 1; i < strips.size(); ++i)
    {
        const float end = strips[i - 1].fromX + strips[i - 1].width;
        EXPECT_TRUE(strips[i].fromX == end || strips[i].fromX == end - movedBack) << "strip " << i;
    }
}

// The sky after each move back of the world is as full as in the first minutes.
TEST_F(WorldTest, TheCloudsStayAfterEveryMoveBackOfTheWorld)
{
    SeedRandom(7);
    constexpr int screensPerMove = 80;
    std::vector<int> inView; // clouds in view at each screen boundary
    float lastBoundary = 0.f;
    for (long frame = 0; frame < 10 * 60 * 64; ++frame)
    {
        Step();
        const float viewLeft = world.GetViewLeft();
        if (std::floor(viewLeft / windowWidth) == std::floor(lastBoundary / windowWidth))
            continue;
        lastBoundary = viewLeft;
        const auto& clouds = ScreenProbe::Clouds(world);
        inView.push_back(static_cast<int>(std::count_if(clouds.begin(), clouds.end(), [viewLeft](const sf::Sprite& c) {
            return Right(c) > viewLeft && Left(c) < viewLeft + windowWidth;
        })));
    }
    ASSERT_GT(inView.size(), 2u * screensPerMove) << "the world moved back at least twice";
    const auto average = [&inView](std::size_t from, std::size_t count) {
        int sum = 0;
        for (std::size_t screen = from; screen < from + count; ++screen)
            sum += inView[screen];
        return static_cast<float>(sum) / static_cast<float>(count);
    };
    const float firstMinutes = average(0, 40);
    EXPECT_GT(firstMinutes, 1.f);
    for (std::size_t moveBack = screensPerMove; moveBack + 40 <= inView.size(); moveBack += screensPerMove)
    {
        EXPECT_NEAR(average(moveBack, 40), firstMinutes, firstMinutes / 2) << "after the move at screen " << moveBack;
        EXPECT_GT(*std::max_element(inView.begin() + static_cast<long>(moveBack),
                                    inView.begin() + static_cast<long>(moveBack) + 5),
                  0)
            << "the sky is empty after the move at screen " << moveBack;
    }
}

// A slower game is the same game seen slower: wall time scaled by the speed plays as far, even where a
// frame is longer than a step or than a stall.
TEST_F(WorldTest, AtEachSpeedTheSameGameTimeScrollsAndDriftsAsFarAsAtTheNormalSpeed)
{
    const auto play = [this](int speedPercent) {
        SeedRandom(5);
        World played{MakeLooks(), bestResults};
        const GameClock clock(speedPercent);
        const float wallShare = 100.f / static_cast<float>(speedPercent);
        for (int round = 0; round < 20; ++round)
            for (const float frame : {frameTime, 0.1f, 0.2f})
            {
                const GameSteps steps = clock.Split(frame * wallShare);
                for (int step = 0; step < steps.count; ++step)
                    Step(played, steps.length);
            }
        return std::make_pair(played.GetViewLeft(), Left(ScreenProbe::Clouds(played).back()));
    };
    const auto [normalScroll, normalCloud] = play(100);
    EXPECT_GT(normalScroll, 2 * windowWidth) << "past screen boundaries";
    for (const int speed : {75, 50})
    {
        const auto [scroll, cloud] = play(speed);
        EXPECT_NEAR(scroll, normalScroll, tolerance) << speed << " %";
        EXPECT_NEAR(cloud, normalCloud, tolerance) << speed << " %";
    }
}
} // namespace kvelmora
