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

// What the card shows of a sentence: the same words, whichever spaces became line breaks.
std::wstring AsWritten(const sf::Text& text)
{
    std::wstring shown = text.getString().toWideString();
    std::replace(shown.begin(), shown.end(), L'\n', L' ');
    return shown;
}

std::wstring AsWritten(const std::wstring& sentence)
{
    std::wstring plain = sentence;
    std::replace(plain.begin(), plain.end(), L'\u00A0', L' ');
    return plain;
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
        const FlowerCard first(test.context, key, area);
        const FlowerSpecies& species = first.GetSpecies();
        EXPECT_EQ(species.textureKey, key);
        EXPECT_EQ(ScreenProbe::Name(first).getString().toWideString(), species.name);
        EXPECT_EQ(ScreenProbe::Picture(first).getTexture(), &test.context.textures.at(key));
        EXPECT_EQ(AsWritten(ScreenProbe::Sentence(first)), AsWritten(species.sentences[first.GetSentenceIndex()]));

        // The next card tells the next sentence, and after all of them the first again.
        std::size_t shown = first.GetSentenceIndex();
        for (std::size_t card = 1; card <= species.sentences.size(); ++card)
        {
            const FlowerCard next(test.context, key, area);
            EXPECT_EQ(next.GetSentenceIndex(), (shown + 1) % species.sentences.size());
            shown = next.GetSentenceIndex();
        }
        EXPECT_EQ(shown, first.GetSentenceIndex());
    }
}

TEST(FlowerCard, KeepsEverySentenceInItsAreaWhichLeavesTheGameOverTextsAlone)
{
    TestContext test;
    Game game(&test.context);
    game.Start();
    game.Update(frameTime); // running, as every game that meets a flower
    EndOnAFlower(game);
    sf::FloatRect area = GetFlowerCardArea({windowWidth, windowHeight});
    area.left += game.GetViewLeft(); // the game-over texts stand in the world, where the view stopped
    for (const auto& [key, text] : ScreenProbe::Texts(game))
        EXPECT_FALSE(area.intersects(text.getGlobalBounds())) << key;

    // A line never ends in a one-letter word, however narrow the column.
    const std::wregex oneLetterAtLineEnd(L"(^|[ \n])[aikosuvzAIKOSUVZ]\n");
    for (const std::string& key : FlowerKeys())
    {
        const std::size_t sentences = FindFlowerSpecies(key).sentences.size();
        for (std::size_t sentence = 0; sentence < sentences; ++sentence)
        {
            const FlowerCard card(test.context, key, area);
            const sf::Text& shown = ScreenProbe::Sentence(card);
            SCOPED_TRACE(key + ", sentence " + std::to_string(card.GetSentenceIndex()));
            EXPECT_TRUE(Inside(card.GetBounds(), area));
            EXPECT_TRUE(Inside(shown.getGlobalBounds(), card.GetBounds()));
            EXPECT_TRUE(Inside(ScreenProbe::Button(card).getGlobalBounds(), card.GetBounds()));
            const std::wstring narrow =
                WrapText(FindFlowerSpecies(key).sentences[sentence], *shown.getFont(), shown.getCharacterSize(), 1.f);
            EXPECT_FALSE(std::regex_search(narrow, oneLetterAtLineEnd)) << AsWritten(narrow);
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
    EXPECT_EQ(ScreenProbe::Page(flowers).getString().toWideString().substr(0, 20),
              AsWritten(infoPages[InfoMenu::vegetationTopic]).substr(0, 20));
    EXPECT_EQ(infoTopics[InfoMenu::vegetationTopic], L"Vegetace");

    const InfoMenu fromTheStartMenu(&test.context);
    EXPECT_EQ(ScreenProbe::CurrentPage(fromTheStartMenu), 0) << "only the card's request names a page";
}
} // namespace kvelmora
