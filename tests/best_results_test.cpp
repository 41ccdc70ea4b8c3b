#include "application.h"
#include "constants.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using Scores = std::vector<int>;

const Scores zeros(bestResultCount, 0);

Scores Parse(const std::string& text)
{
    std::istringstream input(text);
    return ParseBestResults(input);
}

std::string ReadFile(const fs::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path) << content;
}

// A fresh, empty folder of the test's own.
fs::path MakeFolder(const std::string& name)
{
    const fs::path folder = fs::path(::testing::TempDir()) / (name + "_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}
} // namespace

TEST(BestResults, OnlyExactlyFiveLeadingNumbersAreAcceptedAndSorted)
{
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

TEST(BestResults, AreWrittenWholeThroughAFreshFileAndNeverThroughALink)
{
    const fs::path folder = MakeFolder("written_whole");
    const fs::path path = folder / "high_scores.txt";
    const fs::path oldTemporary = folder / "high_scores.txt.tmp";
    const fs::path victim = folder / "victim";
    WriteFile(victim, "someone else's file\n");

    // Whatever is left at the temporary name of earlier versions neither blocks nor redirects a save.
    fs::create_directory(oldTemporary);
    ASSERT_TRUE(WriteBestResults(path, {50, 40, 30, -20, INT_MIN}));
    EXPECT_EQ(ReadFile(path), "50\n40\n30\n-20\n-2147483648\n");
    fs::remove(oldTemporary);
    if (!CreateSymlink(victim, oldTemporary))
        GTEST_SKIP() << "this system makes no symbolic links";
    ASSERT_TRUE(WriteBestResults(path, {5, 4, 3, 2, 1}));
    EXPECT_EQ(ReadFile(path), "5\n4\n3\n2\n1\n");

    // A link at the file itself is replaced, not written through.
    fs::remove(path);
    ASSERT_TRUE(CreateSymlink(victim, path));
    ASSERT_TRUE(WriteBestResults(path, {9, 8, 7, 6, 5}));
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(ReadFile(victim), "someone else's file\n");
    EXPECT_EQ(FileNames(folder), (std::set<std::string>{"high_scores.txt", "high_scores.txt.tmp", "victim"}))
        << "no temporary file is left behind";

    EXPECT_FALSE(WriteBestResults(folder / "missing" / "high_scores.txt", {1, 2, 3, 4, 5}));
    EXPECT_EQ(ReadBestResults(folder / "missing.txt"), zeros);
    EXPECT_EQ(ReadBestResults(folder), zeros) << "a folder at the path";
    fs::remove_all(folder);
}

TEST(BestResults, EachSaveKeepsWhatAnotherCopyHasSavedMeanwhile)
{
    const fs::path folder = MakeFolder("two_copies");
    const fs::path path = folder / "high_scores.txt";
    WriteFile(path, "10 50 30 20 40");

    // One copy alone writes exactly the list it holds.
    BestResultsStore first(path);
    EXPECT_EQ(first.Load(), (Scores{50, 40, 30, 20, 10}));
    first.Add(35);
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(ReadFile(path), "50\n40\n35\n30\n20\n");

    BestResultsStore second(path);
    second.Load();
    second.Add(60);
    first.Add(45);
    ASSERT_TRUE(second.Save());
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(ReadFile(path), "60\n50\n45\n40\n35\n");
    ASSERT_TRUE(second.Save()) << "at exit, with nothing new";
    EXPECT_EQ(ReadFile(path), "60\n50\n45\n40\n35\n");
    fs::remove_all(folder);
}

TEST(BestResults, ADamagedFileIsKeptAsBadBeforeItIsFirstWrittenOver)
{
    const fs::path folder = MakeFolder("damaged");
    const fs::path path = folder / "high_scores.txt";
    const fs::path bad = folder / "high_scores.txt.bad";
    const std::string damaged = "\xef\xbb\xbf"
                                "900 800 700 600 500\n";
    WriteFile(path, damaged);
    WriteFile(bad, "an older damaged file");

    BestResultsStore store(path);
    EXPECT_EQ(store.Load(), zeros);
    store.Add(100);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(path), "100\n0\n0\n0\n0\n");
    EXPECT_EQ(ReadFile(bad), damaged);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(bad), damaged) << "a good file is never kept";

    // An empty file has nothing to keep.
    fs::remove(bad);
    WriteFile(path, "");
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(fs::exists(bad));
    fs::remove_all(folder);
}

TEST(BestResults, AFailedSaveIsToldOnceAndItsResultsWaitForTheNextSave)
{
    const fs::path folder = MakeFolder("failed_save");
    const fs::path path = folder / "high_scores.txt";
    fs::create_directory(path); // nothing can be written at the path

    BestResultsStore store(path);
    store.Add(500);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(store.Save());
    EXPECT_TRUE(store.LastSaveFailed());
    EXPECT_FALSE(store.Save());
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find(path.string()), std::string::npos) << told;

    fs::remove(path);
    EXPECT_TRUE(store.Save());
    EXPECT_FALSE(store.LastSaveFailed());
    EXPECT_EQ(ReadFile(path), "500\n0\n0\n0\n0\n");
    fs::remove_all(folder);
}

TEST(BestResults, AGameSavesItsResultAndSaysInCzechUnderTheHintWhenItCannot)
{
    const fs::path path = GetAssetDirectory() / "high_scores.txt";
    fs::remove_all(path);
    TestContext test;
    const auto endOnAFlower = [](Game& game) {
        const float deepInTheRunner = 40.f; // pixels right of its left edge
        game.PlaceFlowerCluster(1, game.GetPlayer().GetBounds().left + deepInTheRunner);
        game.CheckFlowerContact();
    };

    Game saved(&test.context);
    endOnAFlower(saved);
    EXPECT_EQ(ReadFile(path), "0\n0\n0\n0\n0\n");
    EXPECT_EQ(saved.GetTexts().count(saveFailedTextKey), 0u);

    fs::remove(path);
    fs::create_directory(path);
    ::testing::internal::CaptureStderr();
    Game unsaved(&test.context);
    endOnAFlower(unsaved);
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(unsaved.GetTexts().count(saveFailedTextKey), 1u);
    const sf::Text& notice = unsaved.GetTexts().at(saveFailedTextKey);
    const sf::Text& hint = unsaved.GetTexts().at(gameOverInstructionsKey);
    EXPECT_EQ(notice.getString(), sf::String(saveFailedNotice));
    EXPECT_LT(notice.getCharacterSize(), hint.getCharacterSize());
    const sf::FloatRect hintBounds = hint.getGlobalBounds();
    EXPECT_GT(notice.getGlobalBounds().top, hintBounds.top + hintBounds.height);
    EXPECT_NEAR(Centre(notice).x, Centre(hint).x, 1.f);
    fs::remove(path);
}

TEST(ScoreFormat, PutsTheSignBeforeTheZeros)
{
    EXPECT_EQ(FormatScore(-1), L"-0001");
    EXPECT_EQ(FormatScore(-1300), L"-1300");
    EXPECT_EQ(FormatScore(-12345), L"-12345");
    EXPECT_EQ(FormatScore(INT_MIN), L"-2147483648");
}
