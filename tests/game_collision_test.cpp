// What the runner touches: flowers end the game, garbage is collected.
#include "game.h"
#include "test_support.h"

#include <SFML/Audio/SoundSource.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace
{
const std::vector<std::string> flowerKeys = {"len", "hvezdnice", "sasanka"}; // in the game's order

// The next draw decides the next flower's kind; looked at without using it up.
float NextFlowerWidth(TestContext& test, unsigned int seed)
{
    SeedRandom(seed);
    const std::string& key = flowerKeys[static_cast<std::size_t>(DrawRandom()) % flowerKeys.size()];
    SeedRandom(seed);
    return static_cast<float>(test.context.textures[key].getSize().x);
}

// A seed whose second draw is 0, so that a garbage item takes the lowest x of its gap.
unsigned int SeedPlacingAtTheGapStart()
{
    for (unsigned int seed = 0;; ++seed)
    {
        SeedRandom(seed);
        DrawRandom();
        if (DrawRandom() == 0)
            return seed;
    }
}

// Flowers all standing at one x are separate clusters whose gaps run backwards; the items then
// stand around that x, where the runner is.
void PlaceItemsAroundTheRunner(Game& game, int itemCount, unsigned int seed)
{
    SeedRandom(seed);
    for (int i = 0; i <= itemCount; ++i)
        game.PlaceFlowerCluster(1, 60.f);
    game.PlaceGarbage(-1000.f);
}

const unsigned int itemSeed = 1; // its single item overlaps the runner

sf::FloatRect ShiftedRight(sf::FloatRect bounds, float distance)
{
    bounds.left += distance;
    return bounds;
}
} // namespace

TEST(FlowerContact, NeedsFivePixelsOfOverlapEachWay)
{
    const sf::FloatRect runner(50.f, 594.f, 44.f, 74.f);
    EXPECT_FALSE(IsFlowerContact(runner, {89.1f, 600.f, 40.f, 68.f})); // 4.9 wide
    EXPECT_TRUE(IsFlowerContact(runner, {89.f, 600.f, 40.f, 68.f}));   // 5 wide
    EXPECT_FALSE(IsFlowerContact(runner, {60.f, 663.1f, 40.f, 68.f})); // 4.9 high
    EXPECT_TRUE(IsFlowerContact(runner, {89.f, 663.f, 40.f, 68.f}));   // exactly 5 by 5
    EXPECT_FALSE(IsFlowerContact(runner, {94.f, 600.f, 40.f, 68.f}));  // edges touch
}

TEST(FlowerContact, AGrazeKeepsTheGameGoingAndFivePixelsEndIt)
{
    TestContext test;
    {
        Game game(&test.context);
        const sf::FloatRect runner = game.GetPlayer().GetBounds();
        game.PlaceFlowerCluster(1, runner.left + runner.width - 4.9f);
        game.CheckFlowerContact();
        EXPECT_EQ(game.GetState(), GameState::Waiting);
    }
    Game game(&test.context);
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    game.PlaceFlowerCluster(1, runner.left + runner.width - 5.f);
    game.CheckFlowerContact();
    EXPECT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_EQ(game.GetPlayer().GetState(), PlayerState::Hit);
    const sf::IntRect frame = game.GetPlayer().GetSprite().getTextureRect();
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 2 * static_cast<int>(game.GetPlayer().GetFrameSize().y));
    EXPECT_EQ(game.GetGameOverSound().getStatus(), sf::SoundSource::Playing);
}

TEST(FlowerContact, TwoFlowersTouchedAtOnceEndTheGameOnce)
{
    TestContext test;
    test.context.highScores = {500, 400, 300, 200, -100};
    Game game(&test.context);
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    // The gap between the two flowers lies under the runner's middle.
    const float middle = runner.left + 0.5f * runner.width;
    game.PlaceFlowerCluster(2, middle - 1.5f - NextFlowerWidth(test, 5));
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    ASSERT_TRUE(IsFlowerContact(runner, flowers[0].getGlobalBounds()));
    ASSERT_TRUE(IsFlowerContact(runner, flowers[1].getGlobalBounds()));

    game.CheckFlowerContact();
    game.Update(0.1f); // over: no check runs again
    game.CheckFlowerContact();
    EXPECT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_EQ(test.context.highScores, (std::vector<int>{500, 400, 300, 200, 0}));
}

TEST(GarbagePickUp, AnEdgeContactCollectsNothingAFractionOfAPixelDoes)
{
    TestContext test;
    const unsigned int seed = SeedPlacingAtTheGapStart();
    for (const float overlap : {0.f, 0.25f})
    {
        Game game(&test.context);
        const sf::FloatRect runner = game.GetPlayer().GetBounds();
        const float margin = 0.01f * 1366.f;
        const float target = runner.left + runner.width - overlap;
        game.PlaceFlowerCluster(1, target - margin - NextFlowerWidth(test, 1));
        game.PlaceFlowerCluster(1, 1000.f);
        SeedRandom(seed);
        game.PlaceGarbage(-1000.f);
        ASSERT_EQ(game.GetGarbage().size(), 1u);
        ASSERT_EQ(game.GetGarbage()[0].getGlobalBounds().left, target);

        game.CollectGarbage();
        EXPECT_EQ(game.GetGarbage().size(), overlap > 0.f ? 0u : 1u) << "overlap " << overlap;
        EXPECT_EQ(game.GetScore(), overlap > 0.f ? 100 : 0);
    }
}

TEST(GarbagePickUp, TwoItemsInOneFrameAreBothCollected)
{
    TestContext test;
    Game game(&test.context);
    PlaceItemsAroundTheRunner(game, 2, 3);
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    for (const sf::Sprite& item : game.GetGarbage())
        ASSERT_TRUE(runner.intersects(item.getGlobalBounds()));
    game.CollectGarbage();
    EXPECT_TRUE(game.GetGarbage().empty());
    EXPECT_EQ(game.GetScore(), 200);
    EXPECT_EQ(game.GetPickupSound().getStatus(), sf::SoundSource::Playing);
}

TEST(GarbagePickUp, AnItemTouchedAsTheGameEndsCountsButNotInTheResult)
{
    TestContext test;
    Game game(&test.context);
    game.ProcessEvent(KeyPress(sf::Keyboard::Up));
    game.Update(0.f); // the instructions go; the runner is still on the ground
    PlaceItemsAroundTheRunner(game, 1, itemSeed);
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    ASSERT_TRUE(runner.intersects(game.GetGarbage()[0].getGlobalBounds()));
    ASSERT_TRUE(IsFlowerContact(ShiftedRight(runner, 1.f), game.GetFlowers()[0].getGlobalBounds()));

    game.Update(1.f / 450.f);
    EXPECT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_TRUE(game.GetGarbage().empty());
    EXPECT_EQ(game.GetScore(), 100);
    EXPECT_EQ(game.GetPickupSound().getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(game.GetTexts().at(scoreTextKey).getString(), sf::String(L"00000"));
    EXPECT_EQ(test.context.highScores[0], 0);
}

TEST(GarbagePickUp, NothingIsTouchedWhilePaused)
{
    TestContext test;
    Game game(&test.context);
    PlaceItemsAroundTheRunner(game, 1, itemSeed);
    ASSERT_TRUE(game.GetPlayer().GetBounds().intersects(game.GetGarbage()[0].getGlobalBounds()));
    game.ProcessEvent(KeyPress(sf::Keyboard::P));
    game.Update(0.1f);
    EXPECT_EQ(game.GetState(), GameState::Waiting);
    EXPECT_EQ(game.GetGarbage().size(), 1u);
}
