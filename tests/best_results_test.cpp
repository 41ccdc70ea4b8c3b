#include "application.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Scores = std::vector<int>;

Scores Parse(const std::string& text)
{
    std::istringstream input(text);
    return ParseBestResults(input);
}

std::string ReadFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}
} // namespace

TEST(BestResults, OnlyExactlyFiveLeadingNumbersAreAcceptedAndSorted)
{
    const Scores zeros(5, 0);
    EXPECT_EQ(Parse("10\n50\r\n30\t20   40 trailing words"), (Scores{50, 40, 30, 20, 10}));
    EXPECT_EQ(Parse("-5 7 7 -5 0"), (Scores{7, 7, 0, -5, -5}));
    for (const char* bad : {"", "1 2 3 4", "1 2 3 4 5 6", "1 2 word 4 5", "1 2 3 4 99999999999", "\x7f\x45\xff\xfe"})
        EXPECT_EQ(Parse(bad), zeros) << bad;

    // A huge file is given up after the sixth number instead of being read to its end.
    std::string many;
    for (int i = 0; i < 1'000'000; ++i)
        many += "100 ";
    std::istringstream input(many);
    EXPECT_EQ(ParseBestResults(input), zeros);
    EXPECT_LT(input.tellg(), 100);
}

TEST(BestResults, AreWrittenWholeOrNotAtAll)
{
    const std::string path = ::testing::TempDir() + "scores_" + std::to_string(getpid());
    ASSERT_TRUE(WriteBestResults(path, {50, 40, 30, -20, -2147483647 - 1}));
    EXPECT_EQ(ReadFile(path), "50\n40\n30\n-20\n-2147483648\n");
    EXPECT_FALSE(std::ifstream(path + ".tmp").good());

    // When the new file cannot be made, the old one stays as it was.
    ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
    EXPECT_FALSE(WriteBestResults(path, {0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadFile(path), "50\n40\n30\n-20\n-2147483648\n");
    std::filesystem::remove(path + ".tmp");
    std::remove(path.c_str());

    EXPECT_EQ(ReadBestResults(path), Scores(5, 0)) << "a missing file";
    EXPECT_FALSE(WriteBestResults("/nonexistent-directory/high_scores.txt", {1, 2, 3, 4, 5}));
}
