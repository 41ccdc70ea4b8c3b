// The game-over card about the flower that ended the game, and the info page its button opens.
#include "assets.h"
#include "constants.h"
#include "flower_card.h"
#include "info_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
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

TEST(FlowerCard, KeepsEverySentenceInItsAreaWhichLeavesTheGameOverTextsAlone)
{
    TestContext test;
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

TEST(FlowerCard, ItsButtonOpensTheInfoMenuOnTheFlowersPageOnce)
{
    TestContext test;
    const FlowerCard card(test.context, sasankaKey, GetFlowerCardArea({windowWidth, windowHeight}));
    EXPECT_TRUE(card.IsOnButton(Centre(ScreenProbe::Button(card))));
    EXPECT_FALSE(card.IsOnButton(Centre(ScreenProbe::Name(card))));
    EXPECT_EQ(ScreenProbe::Button(card).getString().toWideString(), flowerPageButtonText);

    ASSERT_EQ(OpenFlowerPage(test.context), ScreenRequest::OpenInfoMenu);
    const InfoMenu flowers(&test.context);
    EXPECT_EQ(ScreenProbe::CurrentPage(flowers), InfoMenu::vegetationTopic);
    EXPECT_EQ(AsRead(ScreenProbe::Page(flowers).getString()), AsRead(infoPages[InfoMenu::vegetationTopic]));
    EXPECT_EQ(infoTopics[InfoMenu::vegetationTopic], L"Vegetace");

    const InfoMenu fromTheStartMenu(&test.context);
    EXPECT_EQ(ScreenProbe::CurrentPage(fromTheStartMenu), 0) << "only the card's request names a page";
}
} // namespace kvelmora
