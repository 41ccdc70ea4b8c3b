#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr std::size_t maxLineLength = 110; // characters that fit beside the info menu's topic column

// The lines of a text; a break at its very end closes the last line rather than opening another.
std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wistringstream stream(text);
    for (std::wstring line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The words between the places where a line may break; a no-break space joins its neighbours.
std::vector<std::wstring> BreakableWords(const std::wstring& text)
{
    std::vector<std::wstring> words(1);
    for (const wchar_t c : text)
    {
        if (c == L' ' || c == L'\n')
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

// Czech typesetting never leaves these one-letter prepositions and conjunctions at a line's end.
bool IsOneLetterWord(std::wstring word)
{
    const std::wstring openers = L"(„";
    while (!word.empty() && openers.find(word.front()) != std::wstring::npos)
        word.erase(0, 1);
    const std::wstring oneLetterWords = L"aikosuvzAIKOSUVZ";
    return word.size() == 1 && oneLetterWords.find(word.front()) != std::wstring::npos;
}

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}
} // namespace

TEST(InfoPages, AreParagraphsOfLinesThatFitBesideTheTopicColumn)
{
    EXPECT_EQ(infoPages.size() + 1, infoTopics.size()) << "every topic but the last has a page";
    for (std::size_t page = 0; page < infoPages.size(); ++page)
    {
        SCOPED_TRACE("page " + std::to_string(page));
        ASSERT_EQ(infoPages[page].back(), L'\n') << "the last line lacks its break";
        const std::vector<std::wstring> lines = Lines(infoPages[page]);
        EXPECT_FALSE(lines.front().empty()) << "starts with an empty line";
        EXPECT_FALSE(lines.back().empty()) << "ends with an empty line";
        for (std::size_t line = 0; line < lines.size(); ++line)
        {
            EXPECT_LE(lines[line].size(), maxLineLength) << lines[line];
            const bool secondEmptyLine = line > 0 && lines[line].empty() && lines[line - 1].empty();
            EXPECT_FALSE(secondEmptyLine) << "two empty lines before line " << line;
        }
    }
}

TEST(InfoPages, KeepOneLetterWordsOnTheLineOfTheWordAfterThem)
{
    for (const std::wstring& page : infoPages)
    {
        for (const std::wstring& word : BreakableWords(page))
            EXPECT_FALSE(IsOneLetterWord(word)) << "a breakable space after „" << word << "“ in " << page.substr(0, 40);
    }
}

TEST(InfoPages, QuoteTheHabitatsNameTypographically)
{
    const std::wstring& name = menuTitle; // the habitat is written as the game's name
    for (const std::wstring& page : infoPages)
    {
        std::size_t at = page.find(name);
        while (at != std::wstring::npos)
        {
            ASSERT_GT(at, 0u);
            EXPECT_EQ(page[at - 1], L'„') << page.substr(0, 40);
            EXPECT_EQ(page[at + name.size()], L'“') << page.substr(0, 40);
            at = page.find(name, at + 1);
        }
    }
}

TEST(PlayerTexts, KeepTheMendsOfWhatACzechReviewerFound)
{
    // Each wrong word, and the words that replaced it.
    const std::pair<std::wstring, std::wstring> mends[] = {
        {L"začetí", L"pro zahájení nové hry"},
        {L"uvodního", L"do úvodního menu"},
        {L"Skáčte", L"Skočte šipkou"}, // not a standard imperative
        {L"šípkou", L"šipkou nahoru"}, // "šíp" is a bow's arrow
    };
    const std::wstring texts = AllPlayerTexts();
    for (const auto& [mistake, mend] : mends)
    {
        EXPECT_FALSE(Contains(texts, mistake)) << mistake;
        EXPECT_TRUE(Contains(texts, mend)) << mend;
    }
}

TEST(PlayerTexts, BreakLinesOnlyWhereTheLayoutExpectsThem)
{
    // The two-line texts: the name alone under "Více o", and a short line under the instructions.
    const std::vector<std::wstring> buttonLines = Lines(infoButtonText);
    ASSERT_EQ(buttonLines.size(), 2u);
    EXPECT_EQ(buttonLines.back(), L"Kvelmoře") << "the name declines after „o“";
    EXPECT_EQ(Lines(gameInstructions).size(), 2u);
    // The best-results table spaces its rows by the heading's height, which the final break adds to.
    EXPECT_EQ(bestResultsHeading.back(), L'\n');
    for (const std::wstring& text : {playButtonText, gameOverCaption, gameOverHint})
        EXPECT_FALSE(Contains(text, L"\n")) << text;
    for (const std::wstring& topic : infoTopics)
        EXPECT_FALSE(Contains(topic, L"\n")) << topic;
}
