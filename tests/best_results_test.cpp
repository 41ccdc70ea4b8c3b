#include "application.h"
#include "file_locations.h"
#include "constants.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kvelmora
{

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

// Each test has a fresh, empty folder of its own to keep its best results in.
class BestResults : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    void TearDown() override { fs::remove_all(folder); }

    const fs::path folder = fs::path(::testing::TempDir()) / ("best_results_" + std::to_string(getpid()));
    const fs::path path = folder / "high_scores.txt";
};
} // namespace

TEST(BestResultTable, TakesAResultAboveEqualOnesAndDropsOneBelowAll)
{
    Scores scores = {900, 500, 500, 200, 0};
    EXPECT_EQ(InsertBestResult(scores, 500), 1);
    EXPECT_EQ(scores, (Scores{900, 500, 500, 500, 200}));

    scores = {900, 500, 400, 200, 100};
    EXPECT_EQ(InsertBestResult(scores, 0), -1);
    EXPECT_EQ(scores, (Scores{900, 500, 400, 200, 100}));
}

TEST(ScoreFormat, FillsToFiveCharactersAfterTheSignAndKeepsLongerScoresWhole)
{
    struct Case
    {
        int score;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {0, L"00000"},  {1300, L"01300"},  {123456, L"123456"},
        {-1, L"-0001"}, {-1300, L"-1300"}, {INT_MIN, L"-2147483648"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatScore(c.score), c.shown);
}

TEST_F(BestResults, OnlyExactlyFiveLeadingNumbersAreAcceptedAndSorted)
{
    EXPECT_EQ(Parse("10\n50\r\n30\t20   40 trailing words"), (Scores{50, 40, 30, 20, 10}));
    EXPECT_EQ(Parse("-5 7 7 -5 0"), (Scores{7, 7, 0, -5, -5}));
    const char* const damaged[] = {"", "1 2 3 4", "1 2 3 4 5 6", "1 2 word 4 5", "1 2 3 4 99999999999"};
    for (const char* text : damaged)
        EXPECT_EQ(Parse(text), zeros) << text;
    EXPECT_EQ(ReadBestResults(folder / "missing.txt"), zeros);
    EXPECT_EQ(ReadBestResults(folder), zeros) << "a folder at the path";

    // A huge file is given up after the sixth number instead of being read to its end.
    std::string many;
    for (int i = 0; i < 1'000'000; ++i)
        many += "100 ";
    std::istringstream input(many);
    EXPECT_EQ(ParseBestResults(input), zeros);
    EXPECT_LT(input.tellg(), 100);
}

TEST_F(BestResults, AreWrittenWholeThroughAFreshFileAndNeverThroughALink)
{
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
    const auto files = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    EXPECT_EQ(files, 3) << "a temporary file was left behind";
    EXPECT_FALSE(WriteBestResults(folder / "missing" / "high_scores.txt", {1, 2, 3, 4, 5}));
}

TEST_F(BestResults, EachSaveKeepsWhatAnotherCopyHasSavedMeanwhile)
{
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
}

// Two copies saving at the same moment, round after round: each round's two results are the best
// so far, so a save that merged into a stale file would drop one of them from the table.
TEST_F(BestResults, TwoCopiesSavingAtTheSameMomentNeverLoseAResult)
{
    constexpr int rounds = 150;
    std::atomic<int> arrived{0};
    std::atomic<int> lostRounds{0};
    const auto holds = [](const Scores& scores, int score) {
        return std::find(scores.begin(), scores.end(), score) != scores.end();
    };
    const auto waitForBoth = [&arrived](int round) {
        ++arrived;
        while (arrived.load() < 2 * round)
            std::this_thread::yield();
    };
    const auto copy = [&](int offset) {
        BestResultsStore store(path);
        for (int round = 1; round <= rounds; ++round)
        {
            store.Add(10 * round + offset);
            waitForBoth(2 * round - 1);
            EXPECT_TRUE(store.Save());
            waitForBoth(2 * round);
            const Scores stored = ReadBestResults(path);
            if (offset == 1 && !(holds(stored, 10 * round + 1) && holds(stored, 10 * round + 2)))
                ++lostRounds;
        }
    };
    std::thread first(copy, 1);
    std::thread second(copy, 2);
    first.join();
    second.join();
    EXPECT_EQ(lostRounds, 0) << "of " << rounds << " rounds";
}

TEST_F(BestResults, ADamagedFileIsKeptAsBadBeforeItIsFirstWrittenOver)
{
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
}

TEST_F(BestResults, AFailedSaveIsToldOnceAndItsResultsWaitForTheNextSave)
{
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
}

TEST(GameOver, SavesTheResultAndSaysInCzechUnderTheHintWhenItCannot)
{
    const fs::path path = GetAssetDirectory() / "high_scores.txt";
    fs::remove_all(path);
    TestContext test;

    Game saved(&test.context);
    EndOnAFlower(saved);
    EXPECT_EQ(ReadFile(path), "0\n0\n0\n0\n0\n");
    EXPECT_EQ(ScreenProbe::Texts(saved).count(saveFailedTextKey), 0u);

    fs::remove(path);
    fs::create_directory(path);
    ::testing::internal::CaptureStderr();
    Game unsaved(&test.context);
    EndOnAFlower(unsaved);
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(ScreenProbe::Texts(unsaved).count(saveFailedTextKey), 1u);
    const sf::Text& notice = ScreenProbe::Texts(unsaved).at(saveFailedTextKey);
    const sf::Text& hint = ScreenProbe::Texts(unsaved).at(gameOverInstructionsKey);
    EXPECT_EQ(notice.getString(), sf::String(saveFailedNotice));
    EXPECT_LT(notice.getCharacterSize(), hint.getCharacterSize());
    const sf::FloatRect hintBounds = hint.getGlobalBounds();
    EXPECT_GT(notice.getGlobalBounds().top, hintBounds.top + hintBounds.height);
    fs::remove(path);
}
} // namespace kvelmora
