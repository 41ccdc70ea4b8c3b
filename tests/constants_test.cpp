#include "constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

namespace {

const wchar_t noBreakSpace = L'\u00A0';

std::size_t countOf(const std::wstring& text, const std::wstring& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Lines of a page that ends with "\n"; the empty remainder after the last break is not a line.
std::vector<std::wstring> linesOf(const std::wstring& page)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end = page.find(L'\n'); end != std::wstring::npos; end = page.find(L'\n', start)) {
        lines.push_back(page.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool startsWord(const std::wstring& text, std::size_t at)
{
    if (at == 0)
        return true;
    const wchar_t before = text[at - 1];
    return before == L' ' || before == L'\n' || before == noBreakSpace || before == L'(' || before == L'\u201E';
}

struct PageShape {
    std::size_t characters;
    std::size_t lineBreaks;
};

// The info panel is sized for pages of roughly these proportions.
const PageShape pageShapes[] = {{1320, 14}, {1154, 13}, {844, 10}, {953, 9}};

} // namespace

TEST(InfoMenu, OffersFourPagesAndATopicToGoBack)
{
    ASSERT_EQ(infoTopics.size(), 5u);
    ASSERT_EQ(infoPages.size(), 4u);
    EXPECT_EQ(infoTopics.back(), L"Zpět");
}

TEST(InfoPages, AreWrappedIntoParagraphsThatFitThePanel)
{
    ASSERT_EQ(infoPages.size(), std::size(pageShapes));
    for (std::size_t i = 0; i < infoPages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i));
        const std::wstring& page = infoPages[i];
        ASSERT_FALSE(page.empty());
        EXPECT_EQ(page.back(), L'\n');
        EXPECT_EQ(countOf(page, L"\n"), pageShapes[i].lineBreaks);
        const std::size_t target = pageShapes[i].characters;
        EXPECT_LE(std::max(page.size(), target) - std::min(page.size(), target), target * 5 / 100)
            << "length " << page.size();

        const std::vector<std::wstring> lines = linesOf(page);
        ASSERT_FALSE(lines.empty());
        EXPECT_FALSE(lines.front().empty()) << "page starts with an empty line";
        EXPECT_FALSE(lines.back().empty()) << "page ends with an empty line";
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const std::wstring& line = lines[n];
            EXPECT_LE(line.size(), 110u) << "line " << n;
            if (line.empty()) {
                EXPECT_TRUE(n > 0 && !lines[n - 1].empty()) << "two empty lines before line " << n;
                continue;
            }
            EXPECT_NE(line.front(), L' ') << "line " << n;
            EXPECT_NE(line.back(), L' ') << "line " << n;
        }
    }
}

TEST(InfoPages, NameTheHabitatInCzechQuotesAndUseRealDashes)
{
    for (std::size_t i = 0; i < infoPages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i));
        const std::wstring& page = infoPages[i];
        EXPECT_EQ(countOf(page, L"Kvelmora"), countOf(page, L"\u201EKvelmora\u201C"));
        EXPECT_EQ(countOf(page, L"\""), 0u);
        for (std::size_t at = page.find(L'-'); at != std::wstring::npos; at = page.find(L'-', at + 1))
            EXPECT_TRUE(at > 0 && !std::iswspace(page[at - 1]) && !std::iswspace(page[at + 1]))
                << "hyphen used as a dash at " << at;
        // A dash stands between spaces; it may end a line but never start one.
        for (std::size_t at = page.find(L'\u2013'); at != std::wstring::npos; at = page.find(L'\u2013', at + 1)) {
            EXPECT_TRUE(at > 0 && page[at - 1] == L' ') << "at " << at;
            EXPECT_TRUE(at + 1 < page.size() && (page[at + 1] == L' ' || page[at + 1] == L'\n')) << "at " << at;
        }
    }
    EXPECT_GE(countOf(infoPages[0], L"\u201EKvelmora\u201C"), 1u);
    EXPECT_GE(countOf(infoPages[0], L" \u2013 "), 1u);
}

TEST(InfoPages, KeepOneLetterWordsWithTheWordThatFollows)
{
    const std::wstring oneLetterWords = L"ksvzouaiKSVZOUAI";
    for (std::size_t i = 0; i < infoPages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i));
        const std::wstring& page = infoPages[i];
        for (std::size_t at = 0; at + 1 < page.size(); ++at) {
            if (oneLetterWords.find(page[at]) == std::wstring::npos || !startsWord(page, at))
                continue;
            const wchar_t after = page[at + 1];
            EXPECT_TRUE(after != L' ' && after != L'\n')
                << "one-letter word \"" << std::wstring(1, page[at]) << "\" at " << at;
        }
        EXPECT_EQ(countOf(page, std::wstring(1, noBreakSpace) + L"\n"), 0u) << "no-break space ends a line";
    }
}

TEST(ScreenTexts, HaveTheBreaksAndIndentsTheLayoutDependsOn)
{
    EXPECT_EQ(infoButtonText.find_first_not_of(L' '), 7u);
    EXPECT_EQ(countOf(infoButtonText, L"\n"), 1u);

    EXPECT_EQ(gameInstructions.size(), 164u);
    ASSERT_EQ(countOf(gameInstructions, L"\n"), 1u);
    const std::size_t secondLine = gameInstructions.find(L'\n') + 1;
    EXPECT_EQ(gameInstructions.find_first_not_of(L' ', secondLine) - secondLine, 45u);

    ASSERT_FALSE(bestResultsHeading.empty());
    EXPECT_EQ(bestResultsHeading.back(), L'\n');

    std::vector<std::wstring> singleLine = {gameOverCaption, gameOverHint, playButtonText};
    singleLine.insert(singleLine.end(), infoTopics.begin(), infoTopics.end());
    for (const std::wstring& text : singleLine)
        EXPECT_EQ(countOf(text, L"\n"), 0u) << text;

    EXPECT_EQ(highlightColor.a, 255);
    EXPECT_EQ(highlightColor.r, 170);
    EXPECT_EQ(highlightColor.g, 170);
    EXPECT_EQ(highlightColor.b, 170);
}
