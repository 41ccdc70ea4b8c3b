// The game screen: timeline, spawners, runner, collisions, keys, the end of a game, and a scripted player.
#include "../bench/game_autopilot.h"
#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace
{
constexpr float frameTime = 1.f / 64.f;                             // seconds; scrolled distances stay exact in floats
constexpr float width = 1366.f, margin = 13.66f, tolerance = 0.01f; // pixels; the spawners keep the margin clear

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}
float Right(const sf::Sprite& sprite)
{
    return Left(sprite) + sprite.getGlobalBounds().width;
}

void EndOnAFlower(Game& game)
{
    game.PlaceFlowerCluster(1, game.GetPlayer().GetBounds().left + 40.f);
    game.CheckFlowerContact();
}

class GameScreen : public ::testing::Test
{
protected:
    TestContext test;
    struct Seeded
    {
        Seeded() { SeedRandom(2024); }
    } seeded; // before the game draws its first clouds
    Game game{&test.context};
    const Player& player = game.GetPlayer();
};
} // namespace

TEST_F(GameScreen, AScriptedPlayerCrossesStripAfterStripAtEachRowsSpeedCollectingItemsUntilItStopsJumping)
{
    Autopilot autopilot(game);
    const float speeds[] = {450.f, 500.f, 550.f, 600.f, 650.f, 700.f, 700.f, 750.f};
    const float gaps[][2] = {{0.4f, 0.6f}, {0.4f, 0.6f},  {0.35f, 0.55f}, {0.35f, 0.55f}, // least and greatest,
                             {0.3f, 0.5f}, {0.45f, 0.7f}, {0.3f, 0.6f},   {0.3f, 0.6f}};  // in screens
    std::vector<float> strips; // where each filled strip starts
    std::size_t placed = 0;    // items: one in every gap from the first cluster reaching a strip on
    std::size_t passed = 0;    // items the runner ran past without collecting them; they are dropped later
    float lastPassed = -1.f;
    for (int frame = 0; frame < 64 * 170; ++frame)
    {
        const float viewLeft = game.GetViewLeft(), timer = player.GetFrameTimer();
        const std::size_t row = game.GetSegmentIndex();
        const float lastFlower = game.GetFlowers().empty() ? -1.f : Left(game.GetFlowers().back());
        autopilot.Step(frameTime);
        ASSERT_EQ(game.GetState(), GameState::Running) << "touched a flower in frame " << frame;
        ASSERT_EQ(game.GetSpeed(), speeds[game.GetSegmentIndex()]);
        ASSERT_EQ(player.GetVelocity().x, game.GetSpeed());
        ASSERT_TRUE(player.GetState() != PlayerState::OnGround || player.GetFrameTimer() <= timer ||
                    player.GetFrameTimer() == 20.f / game.GetSpeed()); // a new run frame lasts 20 pixels
        const std::vector<sf::Sprite>& all = game.GetFlowers();
        // Flowers behind the view are dropped, so the new ones are told by where they stand.
        const std::size_t flowers = static_cast<std::size_t>(
            std::partition_point(all.begin(), all.end(), [&](const sf::Sprite& f) { return Left(f) <= lastFlower; }) -
            all.begin());
        for (const sf::Sprite& item : game.GetGarbage())
        {
            if (Right(item) <= player.GetBounds().left && Left(item) > lastPassed)
            {
                ++passed;
                lastPassed = Left(item);
            }
        }
        if (all.size() != flowers) // a strip starts at the view's right edge as its left edge passes a screen
        {
            strips.push_back((std::floor(viewLeft / width) + 1) * width);
            EXPECT_EQ(strips.back(), strips.front() + 8 * width * static_cast<float>(strips.size() - 1));
            EXPECT_LT(Left(all.back()), strips.back() + 8 * width);
            const float* gap = gaps[std::min<std::size_t>(strips.size() - 1, 7)];
            placed += flowers > 0 && Right(all[flowers - 1]) >= strips.back(); // the gap before the strip
            // A cluster's gap counts from the strip's start or the previous cluster's margin, whichever is further.
            for (std::size_t i = flowers; i < all.size(); i = FindClusterEnd(all, i) + 1, ++placed)
                EXPECT_NEAR(Left(all[i]) - std::max(strips.back(), i > 0 ? Right(all[i - 1]) + margin : 0.f),
                            (gap[0] + gap[1]) / 2 * width, (gap[1] - gap[0]) / 2 * width + tolerance);
            --placed; // none after the last cluster
        }
        // The next row rules from the frame that starts scrolling on its strip.
        EXPECT_TRUE(game.GetSegmentIndex() == row ||
                    (game.GetSegmentIndex() == row + 1 && viewLeft >= strips.at(row + 1) &&
                     viewLeft < strips.at(row + 1) + speeds[row] * frameTime));
    }
    EXPECT_EQ(game.GetSegmentIndex(), 7u);
    EXPECT_GE(strips.size(), 10u) << "row 7 repeats";
    const std::vector<sf::Sprite>& items = game.GetGarbage();
    const auto ahead = std::count_if(items.begin(), items.end(),
                                     [&](const sf::Sprite& item) { return Right(item) > player.GetBounds().left; });
    const std::size_t collected = placed - passed - static_cast<std::size_t>(ahead); // the rest were collected
    EXPECT_GT(collected, 20u);
    EXPECT_EQ(game.GetScore(), 100 * static_cast<int>(collected));
    autopilot.StopJumping();
    for (int frame = 0; frame < 5 * 64 && game.GetState() == GameState::Running; ++frame)
        autopilot.Step(frameTime);
    EXPECT_EQ(game.GetTexts().at(gameOverTextKey).getString(), gameOverCaption);
    EXPECT_EQ(game.GetTexts().at(ScoreTableRowKey(0)).getString(), L"1. " + FormatScore(game.GetScore()) + L"\n");
    EXPECT_EQ(game.GetTexts().at(ScoreTableRowKey(0)).getFont(), &test.context.fonts[boldFontKey]) << "the result";
}

TEST_F(GameScreen, ClustersEndWhereTheSpacingBreaksAndItemsGoIntoEachGapFromTheGivenStartOn)
{
    for (const auto& [count, x] : {std::pair{1, 1000.f}, {3, 1500.f}, {1, 2100.f}}) // flowers 0, 1 to 3, and 4
        game.PlaceFlowerCluster(count, x);
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    for (const auto& [index, end] : {std::pair<std::size_t, std::size_t>{0, 0}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {9, 9}})
        EXPECT_EQ(FindClusterEnd(flowers, index), end) << "from flower " << index;
    // The gaps after flowers 0 and 3; a start of -1 stands for the first cluster's right edge.
    for (const auto& [start, gaps] :
         {std::pair{900.f, std::vector<std::size_t>{0, 3}}, {1560.f, {3}}, {-1.f, {0, 3}}, {2000.f, {}}})
    {
        const std::size_t before = game.GetGarbage().size();
        game.PlaceGarbage(start < 0 ? Right(flowers[0]) : start);
        ASSERT_EQ(game.GetGarbage().size() - before, gaps.size()) << "start " << start;
        for (std::size_t k = 0; k < gaps.size(); ++k)
            EXPECT_TRUE(Left(game.GetGarbage()[before + k]) >= Right(flowers[gaps[k]]) + margin &&
                        Right(game.GetGarbage()[before + k]) <= Left(flowers[gaps[k] + 1]) - margin + tolerance);
    }
}

TEST_F(GameScreen, TheRunnerWaitsForTheFirstJumpAndJumpsOnlyFromTheGroundLandingExactlyOnIt)
{
    for (int frame = 0; frame < 16; ++frame) // four seconds, past a screen boundary; a frame plays at most 0.25 s
        game.Update(0.25f);
    EXPECT_TRUE(game.GetFlowers().empty()) << "no strip before the first jump";
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    for (int frame = 0; player.GetState() == PlayerState::InAir && frame < 99; ++frame)
    {
        const float velocity = player.GetVelocity().y;
        game.ProcessEvent(KeyPress(sf::Keyboard::Up));
        EXPECT_EQ(player.GetVelocity().y, velocity) << "no second jump";
        game.Update(frameTime);
    }
    EXPECT_EQ(player.GetBounds().top + player.GetBounds().height, 668.f) << "exactly on the ground line";
    EXPECT_EQ(player.GetSprite().getTextureRect(), sf::IntRect(0, 0, 50, 74));
}

TEST_F(GameScreen, FlowersTouchFromFivePixelsAndEndTheGameOnceAndAnyOverlapCollectsItems)
{
    const sf::FloatRect runner(50.f, 594.f, 50.f, 74.f);
    for (const auto& [left, top, touches] : {std::tuple{95.1f, 600.f, false},
                                             {95.f, 600.f, true}, // 4.9 and 5 wide
                                             {60.f, 663.1f, false},
                                             {95.f, 663.f, true},    // 4.9 high, 5 by 5
                                             {100.f, 600.f, false}}) // edges touching
        EXPECT_EQ(IsFlowerContact(runner, {left, top, 40.f, 68.f}), touches) << left << ", " << top;
    for (const float overlap : {0.f, 0.25f}) // the runner's right edge is at 100
    {
        Game other(&test.context);
        SeedRandom(0); // draws a 45-pixel flower, which ends a margin before the item
        other.PlaceFlowerCluster(1, 100.f - overlap - margin - 45.f);
        other.PlaceFlowerCluster(1, 600.f);
        SeedRandom(6299); // draws a fraction of 0: the item stands at the start of its gap
        other.PlaceGarbage(0.f);
        ASSERT_EQ(Left(other.GetGarbage().at(0)), 100.f - overlap);
        other.CollectGarbage();
        EXPECT_EQ(other.GetScore(), overlap > 0.f ? 100 : 0) << "overlap " << overlap;
    }
    // Flowers standing at one x are clusters of their own whose gaps run backwards, around the runner.
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
    const auto waiting = GameState::Waiting, running = GameState::Running, over = GameState::GameOver;
    const auto none = ScreenRequest::None, start = ScreenRequest::StartGame, menu = ScreenRequest::OpenStartMenu;
    const sf::Event up = KeyPress(sf::Keyboard::Up), p = KeyPress(sf::Keyboard::P), other = KeyPress(sf::Keyboard::A),
                    space = KeyPress(sf::Keyboard::Space), lost{sf::Event::LostFocus, {}},
                    gained{sf::Event::GainedFocus, {}};
    // Ended first?, the events, the answer to the last one; then paused?, the state, and the runner in the air?
    const std::tuple<bool, std::vector<sf::Event>, ScreenRequest, bool, GameState, bool> cases[] = {
        {false, {up}, none, false, running, true},
        {false, {p, up}, none, true, waiting, false},
        {false, {space, other, LeftClick()}, none, false, waiting, false},
        {false, {lost}, none, true, waiting, false},
        {false, {up, space, other}, none, false, running, true},
        {false, {up, p}, none, true, running, true},
        {false, {up, p, p}, none, false, running, true},
        {false, {up, p, lost, gained}, none, false, running, true},
        {true, {space}, start, false, over, false},
        {true, {up, LeftClick()}, none, false, over, false},
        {true, {p}, menu, false, over, false},
        {true, {other}, menu, false, over, false},
        {true, {lost, space}, start, true, over, false}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE(i);
        const auto& [ended, events, request, paused, after, inAir] = cases[i];
        Game fresh(&test.context);
        if (ended)
            EndOnAFlower(fresh);
        for (const sf::Event& event : events)
            EXPECT_EQ(fresh.ProcessEvent(event), &event == &events.back() ? request : none);
        EXPECT_EQ(std::tuple(fresh.IsPaused(), fresh.GetState(), fresh.GetPlayer().GetState() == PlayerState::InAir),
                  std::tuple(paused, after, inAir));
        const sf::Text& score = fresh.GetTexts().at(scoreTextKey);
        const auto snapshot = [&] {
            return std::pair(fresh.GetViewLeft(), score.getFillColor());
        };
        const auto before = snapshot();
        for (int frame = 0; frame < 50 && paused; ++frame) // long enough for exactly one blink
            fresh.Update(frameTime);
        EXPECT_TRUE(snapshot() == before) << "a paused frame changed the game";
    }
}

TEST_F(GameScreen, TheEndRanksTheResultAboveEqualOnesFormatsScoresAndBlinksTheScoreInOneRhythmAcrossGames)
{
    using Scores = std::vector<int>;
    for (auto [scores, score, row, after] :
         {std::tuple{Scores{900, 500, 500, 200, 0}, 500, 1, Scores{900, 500, 500, 500, 200}},
          {Scores{900, 500, 400, 200, 100}, 0, -1, Scores{900, 500, 400, 200, 100}}})
    {
        EXPECT_EQ(InsertBestResult(scores, score), row) << "score " << score;
        EXPECT_EQ(scores, after) << "score " << score;
    }
    for (const auto& [score, text] : {std::pair{0, L"00000"}, {1300, L"01300"}, {123456, L"123456"}})
        EXPECT_EQ(FormatScore(score), text);

    const auto nextBlink = [](Game& game) { // seconds until the score changes colour
        const sf::Color colour = game.GetTexts().at(scoreTextKey).getFillColor();
        float elapsed = 0.f;
        for (; game.GetTexts().at(scoreTextKey).getFillColor() == colour && elapsed < 2.f; elapsed += frameTime)
            game.Update(frameTime);
        return elapsed;
    };
    float nextInterval = 0.f;
    // 0.75 and 0.45 seconds in turn, carried on into the next game; earlier games may have left either one next.
    for (int round = 0; round < 2; ++round)
    {
        Game fresh(&test.context);
        fresh.Update(2.f); // moves the view, which the game hands back when it goes
        EndOnAFlower(fresh);
        const float first = nextBlink(fresh), second = nextBlink(fresh);
        EXPECT_NEAR(first, nextInterval > 0.f ? nextInterval : first, frameTime) << "round " << round;
        EXPECT_NEAR(std::min(first, second), 0.45f, frameTime);
        EXPECT_NEAR(first + second, 1.2f, 2 * frameTime);
        nextInterval = first;
    }
    EXPECT_EQ(test.window.getView().getCenter(), test.window.getDefaultView().getCenter()) << "a game left its view";
}
