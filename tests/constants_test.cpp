#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

namespace kvelmora
{

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

// Mistakes a Czech reviewer found once; none may come back.
TEST(PlayerTexts, NeverShowTheMistakesACzechReviewerFound)
{
    const std::wstring mistakes[] = {
        L"o \nKvelmora", // the name declines after "o"
        L" o \n",        // a line never ends in a one-letter word
        L"začetí",
        L"uvodního",
        L"Skáčte",            // not a standard imperative
        L"šípkou",            // "šíp" is a bow's arrow
        L" rendzinou",        // on marlstone the soil is a pararendzina
        L"roztroušeně všude", // the page asks for a dry, warm climate as well
    };
    const std::wstring texts = AllPlayerTexts();
    for (const std::wstring& mistake : mistakes)
        EXPECT_FALSE(Contains(texts, mistake)) << mistake;
}
} // namespace kvelmora
