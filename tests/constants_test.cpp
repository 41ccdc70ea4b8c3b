// The texts players see: how they are set, and that both shipped fonts draw every character of them.
#include "assets.h"
#include "constants.h"
#include "flower_facts.h"
#include "test_support.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace kvelmora
{

namespace
{
constexpr std::size_t maxLineLength = 110;                    // characters that fit beside the info menu's topic column
constexpr std::size_t pageLengths[] = {1320, 1154, 844, 953}; // characters each page was planned to hold
constexpr std::size_t maxSentenceWords = 16;                  // a pupil of ten loses the thread of longer ones
constexpr std::size_t maxFlowerSentenceLength = 90;           // characters: three short lines on the game-over card
constexpr std::size_t leastFlowerSentences = 3;               // a class playing many games meets a few facts
constexpr unsigned int glyphSize = 20;                        // pixels; any size that draws every glyph apart
constexpr char32_t missingGlyphProbe = 0x4E00;                // a CJK ideograph that neither font holds

// FreeType draws the .notdef glyph for a character the font lacks, so a glyph drawn exactly like
// that of a character no font here holds is a missing one.
bool SameGlyph(const sf::Font& font, char32_t first, char32_t second)
{
    const sf::Glyph a = font.getGlyph(first, glyphSize, false);
    const sf::Glyph b = font.getGlyph(second, glyphSize, false);
    if (a.advance != b.advance || a.bounds != b.bounds)
        return false;
    if (a.textureRect.width != b.textureRect.width || a.textureRect.height != b.textureRect.height)
        return false;
    const sf::Image atlas = font.getTexture(glyphSize).copyToImage();
    const sf::Vector2u firstCorner(unsigned(a.textureRect.left), unsigned(a.textureRect.top));
    const sf::Vector2u secondCorner(unsigned(b.textureRect.left), unsigned(b.textureRect.top));
    for (unsigned int y = 0; y < unsigned(a.textureRect.height); ++y)
    {
        for (unsigned int x = 0; x < unsigned(a.textureRect.width); ++x)
        {
            const sf::Color inFirst = atlas.getPixel(firstCorner.x + x, firstCorner.y + y);
            const sf::Color inSecond = atlas.getPixel(secondCorner.x + x, secondCorner.y + y);
            if (inFirst != inSecond)
                return false;
        }
    }
    return true;
}

// Every fixed text the player sees, one after another.
std::wstring AllPlayerTexts()
{
    std::wstring texts = windowTitle + menuTitle + infoButtonText + playButtonText + speedChoiceText + gameInstructions;
    texts += gameOverCaption + bestResultsHeading + gameOverHint + saveFailedNotice;
    texts += playAgainButtonText + startMenuButtonText + pauseCaption + pauseHint + pauseTapHint;
    texts += settingsNotSavedNotice;
    for (const std::wstring& topic : infoTopics)
        texts += topic;
    for (const std::wstring& page : infoPages)
        texts += page;
    texts += flowerPageButtonText;
    for (const FlowerSpecies& species : GetFlowerSpecies())
    {
        texts += species.name;
        for (const std::wstring& sentence : species.sentences)
            texts += sentence;
    }
    return texts;
}

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}
} // namespace

TEST(InfoPages, AreParagraphsOfShortSentencesInLinesThatFitBesideTheTopicColumn)
{
    ASSERT_EQ(infoPages.size(), std::size(pageLengths));
    EXPECT_EQ(infoPages.size() + 1, infoTopics.size()) << "every topic but the last has a page";
    for (std::size_t index = 0; index < infoPages.size(); ++index)
    {
        const std::wstring& page = infoPages[index];
        SCOPED_TRACE(page.substr(0, 40));
        EXPECT_NEAR(double(page.size()), double(pageLengths[index]), pageLengths[index] / 10.0);
        EXPECT_EQ(page.back(), L'\n') << "the last line lacks its break";
        EXPECT_NE(page.front(), L'\n') << "starts with an empty line";
        EXPECT_FALSE(Contains(page, L"\n\n\n")) << "two empty lines in a row";
        EXPECT_NE(page.substr(page.size() - 2), L"\n\n") << "ends with an empty line";
        std::wistringstream lines(page);
        for (std::wstring line; std::getline(lines, line);)
            EXPECT_LE(line.size(), maxLineLength) << line;
        const std::wregex sentenceEnd(L"[.!?]\\s");
        for (std::wsregex_token_iterator sentence(page.begin(), page.end(), sentenceEnd, -1), end; sentence != end;
             ++sentence)
        {
            const std::wstring text = std::regex_replace(sentence->str(), std::wregex(L"[\\s\u00A0]+"), L" ");
            EXPECT_LT(std::count(text.begin(), text.end(), L' '), std::ptrdiff_t(maxSentenceWords)) << text;
        }
    }
}

TEST(InfoPages, FollowCzechTypesetting)
{
    // A one-letter preposition or conjunction never ends a line: a no-break space follows it.
    const std::wregex breakAfterOneLetterWord(L"(^|[ \n\u00A0(„])[aikosuvzAIKOSUVZ][ \n]");
    // The habitat is written as the game's name, in Czech quotation marks.
    const std::wregex unquotedName(L"(^|[^„])" + menuTitle + L"|" + menuTitle + L"([^“]|$)");
    for (const std::wstring& page : infoPages)
    {
        std::wsmatch found;
        EXPECT_FALSE(std::regex_search(page, found, breakAfterOneLetterWord)) << "„" << found.str() << "“";
        EXPECT_FALSE(std::regex_search(page, found, unquotedName)) << "„" << found.str() << "“";
    }
    EXPECT_TRUE(Contains(infoPages[0], L" – ")) << "the first page keeps its en dash";
    for (const FlowerSpecies& species : GetFlowerSpecies())
    {
        for (const std::wstring& sentence : species.sentences)
        {
            std::wsmatch found;
            EXPECT_FALSE(std::regex_search(sentence, found, breakAfterOneLetterWord)) << "„" << found.str() << "“";
        }
    }
}

TEST(FlowerFacts, EveryFlowerOfTheWorldHasItsNameAndAFewShortSentences)
{
    const std::set<std::string> worldFlowers = {lenKey, hvezdniceKey, sasankaKey};
    std::set<std::string> described;
    for (const FlowerSpecies& species : GetFlowerSpecies())
    {
        SCOPED_TRACE(species.textureKey);
        described.insert(species.textureKey);
        EXPECT_EQ(&FindFlowerSpecies(species.textureKey), &species);
        EXPECT_FALSE(species.name.empty());
        EXPECT_GE(species.sentences.size(), leastFlowerSentences);
        const std::set<std::wstring> different(species.sentences.begin(), species.sentences.end());
        EXPECT_EQ(different.size(), species.sentences.size()) << "a sentence told twice";
        for (const std::wstring& sentence : species.sentences)
        {
            EXPECT_LE(sentence.size(), maxFlowerSentenceLength) << sentence;
            EXPECT_EQ(sentence.back(), L'.') << sentence;
        }
    }
    EXPECT_EQ(described, worldFlowers);
}

// Loading all the assets is the fixture itself.
TEST(Assets, BothFontsHoldAGlyphForEveryCharacterPlayersSee)
{
    TestContext test;
    // Every Czech letter too, so a new text needs no new glyphs.
    const std::wstring shown = L"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ„“–0123456789" + AllPlayerTexts();
    std::set<wchar_t> characters(shown.begin(), shown.end());
    characters.erase(L'\n');
    for (const std::string& key : {regularFontKey, boldFontKey})
    {
        const sf::Font& font = test.context.fonts.at(key);
        ASSERT_FALSE(SameGlyph(font, U'A', missingGlyphProbe)) << "the comparison tells glyphs apart";
        ASSERT_TRUE(SameGlyph(font, missingGlyphProbe + 1, missingGlyphProbe)) << "the comparison finds a lack";
        for (const wchar_t c : characters)
            EXPECT_FALSE(SameGlyph(font, c, missingGlyphProbe)) << key << " lacks U+" << std::hex << unsigned(c);
    }
}
} // namespace kvelmora
