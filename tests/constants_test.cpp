#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

namespace
{
constexpr std::size_t maxLineLength = 110; // characters that fit beside the info menu's topic column

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}
} // namespace

TEST(InfoPages, AreParagraphsOfLinesThatFitBesideTheTopicColumn)
{
    EXPECT_EQ(infoPages.size() + 1, infoTopics.size()) << "every topic but the last has a page";
    for (const std::wstring& page : infoPages)
    {
        SCOPED_TRACE(page.substr(0, 40));
        EXPECT_EQ(page.back(), L'\n') << "the last line lacks its break";
        EXPECT_NE(page.front(), L'\n') << "starts with an empty line";
        EXPECT_FALSE(Contains(page, L"\n\n\n")) << "two empty lines in a row";
        EXPECT_NE(page.substr(page.size() - 2), L"\n\n") << "ends with an empty line";
        std::wistringstream lines(page);
        for (std::wstring line; std::getline(lines, line);)
            EXPECT_LE(line.size(), maxLineLength) << line;
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
}

TEST(PlayerTexts, KeepTheMendsOfWhatACzechReviewerFound)
{
    struct Mend
    {
        std::wstring mistake;
        std::wstring mended; // with the words around it
    };
    const Mend mends[] = {
        {L"o \nKvelmora", L"Více o \nKvelmoře"}, // the name declines after "o"
        {L"začetí", L"pro zahájení nové hry"},   {L"uvodního", L"do úvodního menu"},
        {L"Skáčte", L"Skočte šipkou"}, // not a standard imperative
        {L"šípkou", L"šipkou nahoru"}, // "šíp" is a bow's arrow
    };
    const std::wstring texts = AllPlayerTexts();
    for (const Mend& mend : mends)
    {
        EXPECT_FALSE(Contains(texts, mend.mistake)) << mend.mistake;
        EXPECT_TRUE(Contains(texts, mend.mended)) << mend.mended;
    }
}
