// The game-over card about the flower that ended the game, and the info page its button opens.
#include "assets.h"
#include "constants.h"
#include "controls.h"
#include "flower_card.h"
#include "info_menu.h"
#include "random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace kvelmora
{

namespace
{
// Made when asked: the keys are built only before the tests run, in no set order with this file.
std::vector<std::string> FlowerKeys()
{
    return {lenKey, hvezdniceKey, sasankaKey};
}

// A sentence as read: the same words, whichever spaces are no-break ones or became line breaks.
std::wstring AsRead(std::wstring text)
{
    std::replace(text.begin(), text.end(), L'\n', L' ');
    std::replace(text.begin(), text.end(), L'\u00A0', L' ');
    return text;
}

// The game's picture of the flower under the runner.
const sf::Texture* HitFlowerTexture(Game& game)
{
    const sf::FloatRect runner = ScreenProbe::Runner(game).GetBounds();
    for (const sf::Sprite& flower : ScreenProbe::Flowers(ScreenProbe::WorldOf(game)))
        if (flower.getGlobalBounds().intersects(runner))
            return flower.getTexture();
    return nullptr;
}

// Lets the half second pass in which the game-over buttons do not answer.
void Settle(Game& game)
{
    for (float shown = -frameTime; shown < GameOverView::grace; shown += frameTime)
        game.Update(frameTime);
}

bool Inside(const sf::FloatRect& inner, const sf::FloatRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}
} // namespace

TEST(FlowerCard, NamesTheFlowerThatWasHitAndTellsItsSentencesInTurn)
{
    TestContext test;
    const sf::FloatRect area = GetFlowerCardArea({windowWidth, windowHeight});
    for (const std::string& key : FlowerKeys())
    {
        SCOPED_TRACE(key);
        const FlowerSpecies& species = FindFlowerSpecies(key);
        const FlowerCard first(test.context, key, area);
        EXPECT_EQ(ScreenProbe::Name(first).getString().toWideString(), species.name);
        EXPECT_EQ(ScreenProbe::Picture(first).getTexture(), &test.context.textures.at(key));
        EXPECT_EQ(AsRead(ScreenProbe::Sentence(first).getString()),
                  AsRead(species.sentences[ScreenProbe::SentenceIndex(first)]));

        // The next card tells the next sentence, and after all of them the first again.
        std::size_t shown = ScreenProbe::SentenceIndex(first);
        for (std::size_t card = 1; card <= species.sentences.size(); ++card)
        {
            const FlowerCard next(test.context, key, area);
            EXPECT_EQ(ScreenProbe::SentenceIndex(next), (shown + 1) % species.sentences.size());
            shown = ScreenProbe::SentenceIndex(next);
        }
        EXPECT_EQ(shown, ScreenProbe::SentenceIndex(first));
    }
}

TEST(FlowerCard, LeavesTheWorldsDrawsAsASeededRunExpectsThem)
{
    // Each test runs in a process of its own, so this is the first card: it draws where its sentences start.
    SeedRandom(7);
    const int expected = DrawRandom();
    SeedRandom(7);
    TakeSentenceIndex(FindFlowerSpecies(lenKey));
    EXPECT_EQ(DrawRandom(), expected);
}

TEST(FlowerCard, KeepsEverySentenceInItsAreaWhichLeavesTheGameOverTextsAlone)
{
    TestContext test;
    test.context.speed.Step();
    test.context.speed.Step(); // the slowest speed, whose heading is the widest
    Game game(&test.context);
    game.Start();
    game.Update(frameTime); // running, as every game that meets a flower
    EndOnAFlower(game);
    const sf::FloatRect area = GetFlowerCardArea({windowWidth, windowHeight});
    for (const sf::Text* text : ScreenProbe::Texts(ScreenProbe::Results(game)))
        EXPECT_FALSE(area.intersects(text->getGlobalBounds())) << std::string(text->getString());

    // A line never ends in a one-letter word, however narrow the column.
    const std::wregex oneLetterAtLineEnd(L"(^|[ \n])[aikosuvzAIKOSUVZ]\n");
    for (const std::string& key : FlowerKeys())
    {
        const std::size_t sentences = FindFlowerSpecies(key).sentences.size();
        for (std::size_t sentence = 0; sentence < sentences; ++sentence)
        {
            const FlowerCard card(test.context, key, area);
            const sf::Text& shown = ScreenProbe::Sentence(card);
            SCOPED_TRACE(key + ", sentence " + std::to_string(ScreenProbe::SentenceIndex(card)));
            EXPECT_TRUE(Inside(ScreenProbe::Bounds(card), area));
            EXPECT_TRUE(Inside(shown.getGlobalBounds(), ScreenProbe::Bounds(card)));
            EXPECT_TRUE(Inside(ScreenProbe::Button(card).getGlobalBounds(), ScreenProbe::Bounds(card)));
            const std::wstring narrow =
                WrapText(FindFlowerSpecies(key).sentences[sentence], *shown.getFont(), shown.getCharacterSize(), 1.f);
            EXPECT_FALSE(std::regex_search(narrow, oneLetterAtLineEnd)) << AsRead(narrow);
        }
    }
}

TEST(FlowerCard, TheGameOverViewShowsTheCardOfTheFlowerThatWasHit)
{
    TestContext test;
    const std::vector<std::string> keys = FlowerKeys();
    std::set<const sf::Texture*> seen;
    for (unsigned int seed = 0; seed < 30 && seen.size() < keys.size(); ++seed)
    {
        SeedRandom(seed); // the kind of the planted flower
        Game game(&test.context);
        EndOnAFlower(game);
        const sf::Texture* hit = HitFlowerTexture(game);
        const GameOverView& view = ScreenProbe::Results(game);
        ASSERT_TRUE(ScreenProbe::Card(view).has_value());
        const FlowerCard& card = *ScreenProbe::Card(view);
        const auto key = std::find_if(keys.begin(), keys.end(), [&](const std::string& flowerKey) {
            return &test.context.textures.at(flowerKey) == hit;
        });
        ASSERT_NE(key, keys.end());
        EXPECT_EQ(ScreenProbe::Picture(card).getTexture(), hit);
        EXPECT_EQ(ScreenProbe::Name(card).getString().toWideString(), FindFlowerSpecies(*key).name);
        for (const sf::Text* text : ScreenProbe::Texts(view))
            EXPECT_FALSE(ScreenProbe::Bounds(card).intersects(text->getGlobalBounds()))
                << std::string(text->getString());
        seen.insert(hit);
    }
    EXPECT_EQ(seen.size(), keys.size());
}

TEST(FlowerCard, ItsButtonOnTheGameOverViewOpensTheFlowersPageByClickKeysAndPad)
{
    TestContext test;
    const sf::Vector2f nowhere(20.f, 740.f);
    // The info menu opens on the flowers' page with its text; the menu after it on the first page.
    const auto opensTheFlowersPage = [&test](ScreenRequest request) {
        if (request != ScreenRequest::OpenInfoMenu)
            return false;
        const InfoMenu menu(&test.context);
        const InfoMenu next(&test.context);
        return ScreenProbe::CurrentPage(menu) == InfoMenu::vegetationTopic &&
               AsRead(ScreenProbe::Page(menu).getString()) == AsRead(infoPages[InfoMenu::vegetationTopic]) &&
               ScreenProbe::CurrentPage(next) == 0;
    };

    Game clicked(&test.context);
    EndOnAFlower(clicked);
    clicked.Update(frameTime);
    const FlowerCard& card = *ScreenProbe::Card(ScreenProbe::Results(clicked));
    EXPECT_EQ(ScreenProbe::Button(card).getString().toWideString(), flowerPageButtonText);
    const sf::Vector2f button = Centre(ScreenProbe::Button(card));
    EXPECT_EQ(test.ClickAt(clicked, button), ScreenRequest::None) << "a click within the grace";
    Settle(clicked);
    EXPECT_EQ(test.ClickAt(clicked, Centre(ScreenProbe::Name(card))), ScreenRequest::None) << "the card's name";
    EXPECT_TRUE(opensTheFlowersPage(test.ClickAt(clicked, button)));

    // Enter keeps its meaning until Tab shows the focus; Tab walks left to right, Shift+Tab back.
    MoveMouse(test.window, nowhere);
    sf::Event shiftTab = KeyPress(sf::Keyboard::Tab);
    shiftTab.key.shift = true;
    const sf::Event tab = KeyPress(sf::Keyboard::Tab);
    const sf::Event enter = KeyPress(sf::Keyboard::Enter);
    const std::vector<sf::Event> ways[] = {
        {tab, tab, tab, enter},
        {shiftTab, shiftTab, enter},
        {PadPush(sf::Joystick::PovX, 100.f), PadPush(sf::Joystick::PovX, 0.f), PadPush(sf::Joystick::PovX, -100.f),
         PadButton(padChooseButton)},
    };
    for (std::size_t way = 0; way < std::size(ways); ++way)
    {
        SCOPED_TRACE("way " + std::to_string(way));
        Game game(&test.context);
        EndOnAFlower(game);
        Settle(game);
        for (std::size_t e = 0; e + 1 < ways[way].size(); ++e)
            EXPECT_EQ(game.ProcessEvent(ways[way][e]), ScreenRequest::None) << "event " << e;
        EXPECT_TRUE(opensTheFlowersPage(game.ProcessEvent(ways[way].back())));
    }
    Game unfocused(&test.context);
    EndOnAFlower(unfocused);
    Settle(unfocused);
    EXPECT_EQ(unfocused.ProcessEvent(enter), ScreenRequest::OpenStartMenu) << "no focus shown";
}
} // namespace kvelmora
