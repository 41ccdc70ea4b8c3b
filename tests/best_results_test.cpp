#include "application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
using Scores = std::vector<int>;
const Scores zeros(5, 0);

Scores Parse(const std::string& text)
{
    std::istringstream input(text);
    return ParseBestResults(input);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string TemporaryPath(const std::string& name)
{
    return ::testing::TempDir() + name + "_" + std::to_string(getpid());
}
} // namespace

TEST(BestResults, FiveNumbersAreSortedBestFirstWhateverTheSpacing)
{
    EXPECT_EQ(Parse("10 50 30 20 40"), (Scores{50, 40, 30, 20, 10}));
    EXPECT_EQ(Parse("10\n50\r\n30\t20\n\n  40\n"), (Scores{50, 40, 30, 20, 10}));
    EXPECT_EQ(Parse("-5 7 7 -5 0"), (Scores{7, 7, 0, -5, -5}));
    EXPECT_EQ(Parse("1 2 3 4 5 nonsense 6"), (Scores{5, 4, 3, 2, 1}));
}

TEST(BestResults, AnythingButExactlyFiveLeadingNumbersGivesFiveZeros)
{
    EXPECT_EQ(Parse(""), zeros);
    EXPECT_EQ(Parse("1 2 3 4"), zeros);
    EXPECT_EQ(Parse("1 2 3 4 5 6"), zeros);
    EXPECT_EQ(Parse("1 2 3 word 4 5"), zeros);
    EXPECT_EQ(Parse("1 2 3 4 99999999999"), zeros);
    EXPECT_EQ(Parse(std::string("\x7f\x45\x4c\x46\x00\x01\xff\xfe", 8)), zeros);
}

TEST(BestResults, AVeryLargeFileIsNotReadToItsEnd)
{
    std::string huge;
    for (int i = 0; i < 2'000'000; ++i)
        huge += "100 ";
    std::istringstream input(huge);
    EXPECT_EQ(ParseBestResults(input), zeros);
    EXPECT_LT(input.tellg(), 100);
}

TEST(BestResults, MissingFileGivesFiveZeros)
{
    EXPECT_EQ(ReadBestResults(TemporaryPath("does_not_exist")), zeros);
}

TEST(BestResults, WrittenOnePerLineAndReadBack)
{
    const std::string path = TemporaryPath("scores");
    ASSERT_TRUE(WriteBestResults(path, {50, 40, 30, -20, std::numeric_limits<int>::min()}));
    EXPECT_EQ(ReadFile(path), "50\n40\n30\n-20\n-2147483648\n");
    EXPECT_EQ(ReadBestResults(path), (Scores{50, 40, 30, -20, std::numeric_limits<int>::min()}));
    EXPECT_FALSE(std::ifstream(path + ".tmp").good()) << "the temporary file is renamed away";
    std::remove(path.c_str());
}

TEST(BestResults, AFailedWriteKeepsTheOldFile)
{
    const std::string path = TemporaryPath("kept");
    ASSERT_TRUE(WriteBestResults(path, {5, 4, 3, 2, 1}));
    // The temporary file cannot be created where a directory stands in its way.
    ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0700), 0);
    EXPECT_FALSE(WriteBestResults(path, {0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadFile(path), "5\n4\n3\n2\n1\n");
    rmdir((path + ".tmp").c_str());
    std::remove(path.c_str());
}

TEST(BestResults, WritingToAMissingDirectoryFailsQuietly)
{
    EXPECT_FALSE(WriteBestResults("/nonexistent-directory/high_scores.txt", {1, 2, 3, 4, 5}));
}
