#include "constants.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
std::size_t countOf(const std::wstring& text, const std::wstring& part)
{
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

bool endsWithBreak(const std::wstring& text)
{
    return !text.empty() && text.back() == L'\n';
}
} // namespace

TEST(InfoPages, FourPagesOfParagraphsFitThePanelAndTheLastTopicLeadsBack)
{
    ASSERT_EQ(infoTopics.size(), 5u);
    ASSERT_EQ(infoPages.size(), 4u);
    EXPECT_EQ(infoTopics.back(), L"Zpět");
    const double lengths[] = {1320, 1154, 844, 953}; // the panel is laid out for pages this long
    for (std::size_t i = 0; i < infoPages.size(); ++i)
    {
        SCOPED_TRACE("page " + std::to_string(i));
        EXPECT_TRUE(endsWithBreak(infoPages[i]));
        EXPECT_NEAR(double(infoPages[i].size()), lengths[i], lengths[i] * 0.05);
        // Framed so, three breaks in a row mean an empty line at either end or two empty lines between paragraphs.
        EXPECT_EQ((L"\n\n" + infoPages[i] + L"\n").find(L"\n\n\n"), std::wstring::npos) << "a stray empty line";
        std::wistringstream lines(infoPages[i]);
        for (std::wstring line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 110u) << line;
    }
}

TEST(InfoPages, QuoteTheHabitatTypographicallyAndKeepOneLetterWordsOffLineEnds)
{
    EXPECT_NE(infoPages.at(0).find(L'–'), std::wstring::npos) << "page 0 lacks an en dash";
    for (const std::wstring& page : infoPages)
    {
        EXPECT_EQ(countOf(page, L"Kvelmora"), countOf(page, L"„Kvelmora“")) << page.substr(0, 40);
        for (std::size_t at = 0; at + 1 < page.size(); ++at)
        {
            const bool wordStart = at == 0 || std::wstring(L" \n\u00A0(„").find(page[at - 1]) != std::wstring::npos;
            const bool oneLetter = wordStart && std::wstring(L"ksvzouaiKSVZOUAI").find(page[at]) != std::wstring::npos;
            EXPECT_FALSE(oneLetter && (page[at + 1] == L' ' || page[at + 1] == L'\n')) << page.substr(at, 40);
        }
    }
}

TEST(ScreenTexts, KeepTheBreaksAndIndentsTheLayoutIsBuiltAround)
{
    EXPECT_EQ(infoButtonText.find_first_not_of(L' '), 7u);
    for (const std::wstring* text : {&infoButtonText, &gameInstructions})
        EXPECT_EQ(countOf(*text, L"\n"), 1u) << *text;
    EXPECT_EQ(gameInstructions.size(), 164u);
    const std::size_t lineBreak = gameInstructions.find(L'\n');
    EXPECT_EQ(gameInstructions.find_first_not_of(L' ', lineBreak + 1), lineBreak + 46) << "not indented by 45 spaces";
    EXPECT_TRUE(endsWithBreak(bestResultsHeading));
}
