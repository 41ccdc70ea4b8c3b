// The game screen: timeline, spawners, runner, collisions, keys, the end of a game, and a scripted player.
#include "../bench/game_autopilot.h"
#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace
{
constexpr int framesPerSecond = 64;                // a power of two: scrolled distances stay exact in floats
constexpr float frameTime = 1.f / framesPerSecond; // seconds
constexpr float margin = windowWidth / 100.f;      // pixels the spawners keep clear beside flowers
constexpr float tolerance = 0.01f;                 // pixels of float rounding in placed positions
constexpr float groundY = windowHeight - 100.f;    // where the runner, flowers and items stand
constexpr float runFrameDistance = 20.f;           // pixels the runner covers in one frame of its run cycle
constexpr float stripWidth = 8 * windowWidth;      // the timeline fills eight screens at a time

constexpr unsigned int worldSeed = 2024;          // any fixed seed: each run meets the same world
constexpr unsigned int narrowFlowerSeed = 0;      // its first draw picks the flower narrowFlowerWidth wide
constexpr float narrowFlowerWidth = 45.f;         // pixels
constexpr unsigned int itemAtGapStartSeed = 6299; // its second draw, an item's place in its gap, is 0
constexpr unsigned int itemsOnTheRunnerSeed = 0;  // both items placed around the runner overlap it

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

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}

float Right(const sf::Sprite& sprite)
{
    return Left(sprite) + sprite.getGlobalBounds().width;
}

// The first screen boundary right of x.
float NextScreenBoundary(float x)
{
    return (std::floor(x / windowWidth) + 1) * windowWidth;
}

std::size_t CountFrom(const std::vector<sf::Sprite>& sprites, float x)
{
    const auto startsFromX = [x](const sf::Sprite& sprite) {
        return Left(sprite) >= x;
    };
    return static_cast<std::size_t>(std::count_if(sprites.begin(), sprites.end(), startsFromX));
}

// Flowers stand left to right: those up to x are the ones that stood there before.
std::size_t CountUpTo(const std::vector<sf::Sprite>& sprites, float x)
{
    const auto upToX = [x](const sf::Sprite& sprite) {
        return Left(sprite) <= x;
    };
    return static_cast<std::size_t>(std::partition_point(sprites.begin(), sprites.end(), upToX) - sprites.begin());
}

float LastFlowerLeft(const Game& game)
{
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    return flowers.empty() ? -1.f : Left(flowers.back());
}

std::size_t CountClusters(const std::vector<sf::Sprite>& flowers, std::size_t first)
{
    std::size_t clusters = 0;
    for (std::size_t i = first; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
        ++clusters;
    return clusters;
}

// Each gap before a cluster from flower `first` on comes from the row's range. It counts from the
// strip's start or the previous cluster's margin, whichever is further right.
void ExpectGapsWithin(const std::vector<sf::Sprite>& flowers, std::size_t first, float stripStart, const LevelRow& row)
{
    for (std::size_t i = first; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
    {
        const float gapStart = i > 0 ? std::max(stripStart, Right(flowers[i - 1]) + margin) : stripStart;
        const float gap = Left(flowers[i]) - gapStart;
        EXPECT_GE(gap, row.minGap * windowWidth - tolerance) << "before flower " << i;
        EXPECT_LE(gap, row.maxGap * windowWidth + tolerance) << "before flower " << i;
    }
}

void EndOnAFlower(Game& game)
{
    const float deepInTheRunner = 40.f; // pixels right of its left edge
    game.PlaceFlowerCluster(1, game.GetPlayer().GetBounds().left + deepInTheRunner);
    game.CheckFlowerContact();
}

// Seconds until the score text changes colour; gives up after two, longer than any blink.
float SecondsToNextBlink(Game& game)
{
    const sf::Text& score = game.GetTexts().at(scoreTextKey);
    const sf::Color colour = score.getFillColor();
    float elapsed = 0.f;
    while (score.getFillColor() == colour && elapsed < 2.f)
    {
        game.Update(frameTime);
        elapsed += frameTime;
    }
    return elapsed;
}

class GameScreen : public ::testing::Test
{
protected:
    struct SeedFirst
    {
        SeedFirst() { SeedRandom(worldSeed); }
    };

    TestContext test;
    SeedFirst seedFirst; // before the game draws its first clouds
    Game game{&test.context};
    const Player& player = game.GetPlayer();
};
} // namespace

TEST_F(GameScreen, AScriptedPlayerCrossesStripAfterStripAtEachRowsSpeedUntilItStopsJumping)
{
    constexpr int frames = 170 * framesPerSecond; // long enough for the last row to repeat
    Autopilot autopilot(game);
    std::vector<float> strips; // where each filled strip starts
    for (int frame = 0; frame < frames; ++frame)
    {
        const float viewLeft = game.GetViewLeft();
        const float frameTimer = player.GetFrameTimer();
        const std::size_t row = game.GetSegmentIndex();
        const float lastFlowerBefore = LastFlowerLeft(game);
        autopilot.Step(frameTime);

        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in frame " << frame;
        ASSERT_EQ(game.GetSpeed(), levelRows[game.GetSegmentIndex()].speed);
        ASSERT_EQ(player.GetVelocity().x, game.GetSpeed());
        const bool newRunFrame = player.GetState() == PlayerState::OnGround && player.GetFrameTimer() > frameTimer;
        if (newRunFrame)
        {
            ASSERT_EQ(player.GetFrameTimer(), runFrameDistance / game.GetSpeed());
        }

        // Flowers behind the view are dropped, so the new ones are told by where they stand.
        const std::vector<sf::Sprite>& flowers = game.GetFlowers();
        const std::size_t firstNew = CountUpTo(flowers, lastFlowerBefore);
        if (firstNew != flowers.size())
        {
            // A strip is filled from the view's right edge as the left edge passes a screen boundary.
            strips.push_back(NextScreenBoundary(viewLeft));
            const float stripStart = strips.back();
            EXPECT_EQ(stripStart, strips.front() + stripWidth * static_cast<float>(strips.size() - 1));
            EXPECT_LT(Left(flowers.back()), stripStart + stripWidth);
            const LevelRow& stripRow = levelRows[std::min(strips.size(), std::size(levelRows)) - 1];
            ExpectGapsWithin(flowers, firstNew, stripStart, stripRow);

            // One item in every gap from the first cluster that reaches the strip on.
            const bool lastReaches = firstNew > 0 && Right(flowers[firstNew - 1]) >= stripStart;
            const std::size_t newClusters = CountClusters(flowers, firstNew);
            const std::size_t gaps = lastReaches ? newClusters : newClusters - 1;
            EXPECT_EQ(CountFrom(game.GetGarbage(), stripStart), gaps);
        }
        if (game.GetSegmentIndex() != row)
        {
            // The next row rules from the frame that starts scrolling on its strip.
            EXPECT_EQ(game.GetSegmentIndex(), row + 1);
            ASSERT_LT(row + 1, strips.size());
            EXPECT_GE(viewLeft, strips[row + 1]);
            EXPECT_LT(viewLeft, strips[row + 1] + levelRows[row].speed * frameTime);
        }
    }
    EXPECT_EQ(game.GetSegmentIndex(), std::size(levelRows) - 1);
    EXPECT_GE(strips.size(), std::size(levelRows) + 2) << "the last row repeats";
    EXPECT_GT(game.GetScore(), 2000) << "the scripted player collects items";

    autopilot.StopJumping();
    for (int frame = 0; frame < 5 * framesPerSecond && game.GetState() == GameState::Running; ++frame)
        autopilot.Step(frameTime);
    EXPECT_EQ(game.GetTexts().at(gameOverTextKey).getString(), gameOverCaption);
    const sf::Text& bestRow = game.GetTexts().at(ScoreTableRowKey(0));
    EXPECT_EQ(bestRow.getString(), L"1. " + FormatScore(game.GetScore()) + L"\n");
    EXPECT_EQ(bestRow.getFont(), &test.context.fonts[boldFontKey]) << "the new result is bold";
}

TEST_F(GameScreen, ClustersEndWhereTheSpacingBreaks)
{
    game.PlaceFlowerCluster(1, 1000.f); // flower 0
    game.PlaceFlowerCluster(3, 1500.f); // flowers 1 to 3
    game.PlaceFlowerCluster(1, 2100.f); // flower 4
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    EXPECT_EQ(FindClusterEnd(flowers, 0), 0u);
    EXPECT_EQ(FindClusterEnd(flowers, 1), 3u);
    EXPECT_EQ(FindClusterEnd(flowers, 2), 3u);
    EXPECT_EQ(FindClusterEnd(flowers, 3), 3u);
    EXPECT_EQ(FindClusterEnd(flowers, 4), 4u);
    EXPECT_EQ(FindClusterEnd(flowers, 9), 9u) << "past the last flower";
}

TEST_F(GameScreen, ItemsGoIntoEachGapFromTheFirstClusterReachingTheStart)
{
    game.PlaceFlowerCluster(1, 1000.f); // flower 0
    game.PlaceFlowerCluster(3, 1500.f); // flowers 1 to 3
    game.PlaceFlowerCluster(1, 2100.f); // flower 4
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    struct Case
    {
        float start;
        std::vector<std::size_t> gapsAfter; // the last flowers of the clusters that get an item
        const char* where;
    };
    const Case cases[] = {
        {900.f, {0, 3}, "before every cluster"},
        {Right(flowers[0]), {0, 3}, "exactly at the first cluster's end"},
        {1560.f, {3}, "inside the second cluster"},
        {2000.f, {}, "in the last gap"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.where);
        const std::size_t before = game.GetGarbage().size();
        game.PlaceGarbage(c.start);
        ASSERT_EQ(game.GetGarbage().size() - before, c.gapsAfter.size());
        for (std::size_t k = 0; k < c.gapsAfter.size(); ++k)
        {
            const sf::Sprite& item = game.GetGarbage()[before + k];
            const std::size_t clusterEnd = c.gapsAfter[k];
            EXPECT_GE(Left(item), Right(flowers[clusterEnd]) + margin);
            EXPECT_LE(Right(item), Left(flowers[clusterEnd + 1]) - margin + tolerance);
        }
    }
}

TEST_F(GameScreen, TheRunnerWaitsForTheFirstJumpAndJumpsOnlyFromTheGroundLandingExactlyOnIt)
{
    for (int frame = 0; frame < 16; ++frame) // four seconds, past a screen boundary; a frame plays at most 0.25 s
        game.Update(0.25f);
    EXPECT_TRUE(game.GetFlowers().empty()) << "no strip before the first jump";
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    constexpr int jumpFrames = 99; // far more than one jump lasts
    for (int frame = 0; frame < jumpFrames && player.GetState() == PlayerState::InAir; ++frame)
    {
        const float velocity = player.GetVelocity().y;
        game.ProcessEvent(KeyPress(sf::Keyboard::Up));
        EXPECT_EQ(player.GetVelocity().y, velocity) << "no second jump";
        game.Update(frameTime);
    }
    EXPECT_EQ(player.GetBounds().top + player.GetBounds().height, groundY) << "exactly on the ground line";
    EXPECT_EQ(player.GetSprite().getTextureRect(), sf::IntRect(0, 0, 50, 74)) << "the first run frame";
}

TEST_F(GameScreen, TheInstructionsCentreTheirShortSecondLineUnderTheFirst)
{
    const sf::Text& instructions = game.GetTexts().at(instructionsTextKey);
    const std::wstring text = instructions.getString().toWideString();
    const std::size_t secondLineStart = text.find_first_not_of(L' ', text.find(L'\n') + 1);
    const float secondLineLeft = instructions.findCharacterPos(secondLineStart).x;
    const float secondLineRight = instructions.findCharacterPos(text.size()).x;
    const sf::FloatRect firstLine = instructions.getGlobalBounds(); // the wider line
    EXPECT_NEAR((secondLineLeft + secondLineRight) / 2, Centre(instructions).x, 0.05f * firstLine.width);
}

TEST(FlowerContact, NeedsFivePixelsOfOverlapEachWay)
{
    const sf::FloatRect runner(50.f, 594.f, 50.f, 74.f); // right edge 100, bottom 668
    const sf::Vector2f flowerSize(40.f, 68.f);
    struct Case
    {
        sf::Vector2f flowerPosition;
        bool touches;
        const char* overlap;
    };
    const Case cases[] = {
        {{95.1f, 600.f}, false, "4.9 wide"},
        {{95.f, 600.f}, true, "5 wide"},
        {{60.f, 663.1f}, false, "4.9 high"},
        {{95.f, 663.f}, true, "5 by 5"},
        {{100.f, 600.f}, false, "none, edges touching"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFlowerContact(runner, {c.flowerPosition, flowerSize}), c.touches) << c.overlap;
}

TEST_F(GameScreen, AnyOverlapWithTheRunnerCollectsAnItem)
{
    const float runnerRight = player.GetBounds().left + player.GetBounds().width;
    for (const float overlap : {0.f, 0.25f})
    {
        Game other(&test.context);
        // A flower that ends a margin before the item's place, and one after the gap.
        SeedRandom(narrowFlowerSeed);
        other.PlaceFlowerCluster(1, runnerRight - overlap - margin - narrowFlowerWidth);
        other.PlaceFlowerCluster(1, 600.f);
        SeedRandom(itemAtGapStartSeed);
        other.PlaceGarbage(0.f);
        ASSERT_EQ(Left(other.GetGarbage().at(0)), runnerRight - overlap);
        other.CollectGarbage();
        EXPECT_EQ(other.GetScore(), overlap > 0.f ? 100 : 0) << "overlap " << overlap;
    }
}

TEST_F(GameScreen, FlowersTouchedAtOnceEndTheGameWithOneResult)
{
    // Flowers standing at one x are clusters of their own whose gaps run backwards, around the runner.
    SeedRandom(itemsOnTheRunnerSeed);
    for (int i = 0; i < 3; ++i)
        game.PlaceFlowerCluster(1, 60.f);
    game.PlaceGarbage(-1000.f);
    test.context.highScores = {500, 400, -1, -2, -3};
    game.Update(0.f); // three flowers touch at once, and two items
    EXPECT_EQ(test.context.highScores, (std::vector<int>{500, 400, 0, -1, -2})) << "one result, without the items";
    EXPECT_EQ(game.GetScore(), 200);
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
        // from    events                  answer  paused  state    runner
        {waiting, {up},                    none,   false,  running, inAir},
        {waiting, {p, up},                 none,   true,   waiting, onGround},
        {waiting, {space, other, click},   none,   false,  waiting, onGround},
        {waiting, {lost},                  none,   true,   waiting, onGround},
        {waiting, {up, space, other},      none,   false,  running, inAir},
        {waiting, {up, p},                 none,   true,   running, inAir},
        {waiting, {up, p, p},              none,   false,  running, inAir},
        {waiting, {up, p, lost, gained},   none,   false,  running, inAir},
        {over,    {space},                 start,  false,  over,    hit},
        {over,    {up, click},             none,   false,  over,    hit},
        {over,    {p},                     menu,   false,  over,    hit},
        {over,    {other},                 menu,   false,  over,    hit},
        {over,    {lost, space},           start,  true,   over,    hit},
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
        EXPECT_EQ(fresh.GetPlayer().GetState(), c.runner);
        if (c.paused)
        {
            const float viewLeft = fresh.GetViewLeft();
            const sf::Color scoreColour = fresh.GetTexts().at(scoreTextKey).getFillColor();
            for (int frame = 0; frame < 50; ++frame) // long enough for one blink
                fresh.Update(frameTime);
            EXPECT_EQ(fresh.GetViewLeft(), viewLeft) << "a paused frame scrolled";
            EXPECT_EQ(fresh.GetTexts().at(scoreTextKey).getFillColor(), scoreColour) << "a paused frame blinked";
        }
    }
}

TEST(BestResultTable, TakesAResultAboveEqualOnesAndDropsOneBelowAll)
{
    std::vector<int> scores = {900, 500, 500, 200, 0};
    EXPECT_EQ(InsertBestResult(scores, 500), 1);
    EXPECT_EQ(scores, (std::vector<int>{900, 500, 500, 500, 200}));

    scores = {900, 500, 400, 200, 100};
    EXPECT_EQ(InsertBestResult(scores, 0), -1);
    EXPECT_EQ(scores, (std::vector<int>{900, 500, 400, 200, 100}));
}

TEST(ScoreFormat, FillsToFiveDigitsAndKeepsLongerScoresWhole)
{
    EXPECT_EQ(FormatScore(0), L"00000");
    EXPECT_EQ(FormatScore(1300), L"01300");
    EXPECT_EQ(FormatScore(123456), L"123456");
}

TEST_F(GameScreen, TheScoreBlinksInOneRhythmAcrossGamesAndTheViewIsHandedBack)
{
    // 0.75 and 0.45 seconds in turn, carried on into the next game; earlier games may have left
    // either one next.
    float nextInterval = 0.f;
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        Game fresh(&test.context);
        fresh.Update(2.f); // moves the view, which the game hands back when it goes
        EndOnAFlower(fresh);
        const float first = SecondsToNextBlink(fresh);
        const float second = SecondsToNextBlink(fresh);
        if (round > 0)
        {
            EXPECT_NEAR(first, nextInterval, frameTime) << "the rhythm restarted";
        }
        EXPECT_NEAR(std::min(first, second), 0.45f, frameTime);
        EXPECT_NEAR(first + second, 1.2f, 2 * frameTime);
        nextInterval = first;
    }
    EXPECT_EQ(test.window.getView().getCenter(), test.window.getDefaultView().getCenter()) << "a game left its view";
}
