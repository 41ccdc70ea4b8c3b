#include "application.h"
#include "best_results_by_speed.h"
#include "file_locations.h"
#include "constants.h"
#include "game.h"
#include "platform.h"
#include "settings.h"
#include "speed_choice.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <filesystem>
#include <future>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
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

class BestResults : public TempFolderTest
{
protected:
    const fs::path path = folder / "high_scores.txt";
    const fs::path lock = folder / "high_scores.txt.lock";
};

// Another copy of the game inside its save: it holds the lock from construction to destruction, or
// for ten seconds at most, so that a save that waited for it without a bound ends and fails its test.
class LockHolder
{
public:
    explicit LockHolder(const fs::path& lockFile)
    {
        std::promise<bool> holding;
        std::future<bool> holds = holding.get_future();
        m_thread = std::thread([this, lockFile, holding = std::move(holding)]() mutable {
            const auto hold = [this, &holding] {
                holding.set_value(true);
                m_release.wait_for(std::chrono::seconds(10));
                return true;
            };
            if (platform::RunLocked(lockFile, hold, [] { return false; }) != platform::LockedRun::Succeeded)
                holding.set_value(false);
        });
        m_holds = holds.get();
    }

    ~LockHolder()
    {
        m_released.set_value();
        m_thread.join();
    }

    bool Holds() const { return m_holds; }

private:
    std::promise<void> m_released;
    std::future<void> m_release = m_released.get_future();
    std::thread m_thread;
    bool m_holds = false;
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

TEST_F(BestResults, EachDamagedFileIsKeptUnderAFreeNameBeforeItIsFirstWrittenOver)
{
    const auto kept = [this](const std::string& suffix) {
        return folder / ("high_scores.txt.bad" + suffix);
    };
    const std::string damaged = "\xef\xbb\xbf"
                                "900 800 700 600 500\n";
    WriteFile(path, damaged);
    WriteFile(kept(""), "an older damaged file");
    fs::create_directory(kept(".2")); // taken, though not by a file

    BestResultsStore store(path);
    EXPECT_EQ(store.Load(), zeros);
    store.Add(100);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(path), "100\n0\n0\n0\n0\n");
    EXPECT_EQ(ReadFile(kept("")), "an older damaged file");
    EXPECT_EQ(ReadFile(kept(".1")), damaged);
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(fs::exists(kept(".3"))) << "a good file is never kept";

    WriteFile(path, "second damaged");
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(kept(".1")), damaged);
    EXPECT_EQ(ReadFile(kept(".3")), "second damaged");

    // Once every name is taken the oldest copies stay, and the log says the new one was not kept.
    for (int copy = 4; copy <= 9; ++copy)
        WriteFile(kept("." + std::to_string(copy)), "copy " + std::to_string(copy));
    WriteFile(path, "one damaged file too many");
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(path), "0\n0\n0\n0\n0\n");
    EXPECT_EQ(ReadFile(kept(".9")), "copy 9");
    EXPECT_FALSE(fs::exists(kept(".10")));
    EXPECT_NE(ReadFile(GetAssetDirectory() / "log.txt").find("not kept"), std::string::npos);

    // An empty file has nothing to keep.
    fs::remove(kept(".9"));
    WriteFile(path, "");
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(fs::exists(kept(".9")));
}

// Five numbers followed by anything but white space still show, as they did, but the bytes are kept.
TEST_F(BestResults, DamageAfterTheFifthNumberIsKeptAsBadWhileTheNumbersStillShow)
{
    struct Case
    {
        std::string content;
        Scores shown;
    };
    const Case damagedAtTheEnd[] = {
        {"5 4 3 2 1\nhello world\n", {5, 4, 3, 2, 1}},
        {"5 4 3 2 1.9", {5, 4, 3, 2, 1}},
        {"5 4 3 2 0x1", {5, 4, 3, 2, 0}},
        {std::string("5 4 3 2 1\n\0\0\0", 13), {5, 4, 3, 2, 1}},
    };
    const fs::path bad = folder / "high_scores.txt.bad";
    for (const Case& c : damagedAtTheEnd)
    {
        fs::remove(bad);
        WriteFile(path, c.content);
        BestResultsStore store(path);
        EXPECT_EQ(store.Load(), c.shown) << c.content;
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadFile(bad), c.content);
        EXPECT_EQ(ReadBestResults(path), c.shown) << c.content;
    }

    fs::remove(bad);
    for (const char* clean : {"5\r\n4\r\n3\r\n2\r\n1\r\n", "+5 +4 3 2 1 \t\n"})
    {
        WriteFile(path, clean);
        BestResultsStore store(path);
        EXPECT_EQ(store.Load(), (Scores{5, 4, 3, 2, 1}));
        ASSERT_TRUE(store.Save());
        EXPECT_FALSE(fs::exists(bad)) << clean;
    }
}

// A copy frozen inside its save must not hold up the others for ever: a save gives up after a while,
// says so, and keeps its results for the next save.
TEST_F(BestResults, ACopyHoldingTheLockMakesASaveFailSoonAndItsResultsWait)
{
    BestResultsStore store(path);
    store.Add(300);
    {
        const LockHolder other(lock);
        ASSERT_TRUE(other.Holds());
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(store.Save());
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find("holds the lock"), std::string::npos) << told;
        EXPECT_FALSE(fs::exists(path));

        // A stop request ends the wait at once.
        int asked = 0;
        bool ran = false;
        const auto stopOnThirdQuestion = [&asked] {
            return ++asked == 3;
        };
        EXPECT_EQ(platform::RunLocked(
                      lock, [&ran] { return ran = true; }, stopOnThirdQuestion),
                  platform::LockedRun::Busy);
        EXPECT_FALSE(ran);
        EXPECT_EQ(asked, 3);
    }
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(path), "300\n0\n0\n0\n0\n");
}

// Whoever may write in the folder may plant a folder or a link where the lock file goes; two copies
// must still never save at once.
TEST_F(BestResults, APlantedLockFileNeverLetsTwoCopiesSaveAtOnce)
{
    const fs::path victim = folder / "victim";
    WriteFile(victim, "someone else's file\n");
    // A folder, a link to someone else's file, and a link to nothing.
    for (const fs::path& target : {fs::path(), victim, folder / "missing"})
    {
        fs::remove_all(lock);
        if (target.empty() ? !fs::create_directory(lock) : !CreateSymlink(target, lock))
            continue; // no symbolic links on this system
        const LockHolder other(lock);
        ASSERT_TRUE(other.Holds());
        bool ran = false;
        EXPECT_EQ(platform::RunLocked(
                      lock, [&ran] { return ran = true; }, [] { return true; }),
                  platform::LockedRun::Busy);
        EXPECT_FALSE(ran) << "ran while another copy held the lock";
    }
    EXPECT_EQ(ReadFile(victim), "someone else's file\n");
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

TEST(GameOver, SaysInCzechUnderTheHintWhenTheResultCannotBeSaved)
{
    const fs::path path = GetAssetDirectory() / "high_scores.txt";
    fs::remove_all(path);
    TestContext test;
    fs::create_directory(path);
    ::testing::internal::CaptureStderr();
    Game unsaved(&test.context);
    EndOnAFlower(unsaved);
    ::testing::internal::GetCapturedStderr();
    const GameOverView& view = ScreenProbe::Results(unsaved);
    ASSERT_TRUE(ScreenProbe::SaveFailedNotice(view));
    const sf::Text& notice = *ScreenProbe::SaveFailedNotice(view);
    const sf::Text& hint = ScreenProbe::Hint(view);
    EXPECT_EQ(notice.getString(), sf::String(saveFailedNotice));
    EXPECT_LT(notice.getCharacterSize(), hint.getCharacterSize());
    const sf::FloatRect hintBounds = hint.getGlobalBounds();
    EXPECT_GT(notice.getGlobalBounds().top, hintBounds.top + hintBounds.height);
    fs::remove(path);
}

// The run read no results; another copy saved some meanwhile. The view shows the chosen speed's
// table as the save left it, and three flowers touched at once are still one result.
class GameOverAtSpeed : public ::testing::TestWithParam<std::pair<int, std::string>>
{
};

TEST_P(GameOverAtSpeed, ShowsItsTableAsSavedWithAnotherCopysResultsAndTheNewRowInBold)
{
    const auto& [speed, fileName] = GetParam();
    const fs::path path = PlayerFiles::Path(fileName);
    TestContext test;
    while (test.context.speed.GetSpeed() != speed)
        test.context.speed.Step();
    Game game(&test.context);
    WriteFile(path, "900\n700\n-1\n-2\n-3\n");
    for (int flower = 0; flower < 3; ++flower)
        ScreenProbe::WorldOf(game).PlaceFlowerCluster(1, 60.f);
    game.Update(0.f);

    EXPECT_EQ(ReadFile(path), "900\n700\n0\n-1\n-2\n");
    const std::wstring shown[] = {L"1. 00900", L"2. 00700", L"3. 00000", L"4. -0001", L"5. -0002"};
    for (std::size_t row = 0; row < bestResultCount; ++row)
    {
        const sf::Text& text = ScreenProbe::Rows(ScreenProbe::Results(game)).at(row);
        EXPECT_EQ(text.getString().toWideString(), shown[row] + L"\n");
        EXPECT_EQ(text.getFont() == &test.context.fonts[boldFontKey], row == 2) << "row " << row;
    }
    fs::remove(path);
}

INSTANTIATE_TEST_SUITE_P(EachSpeed, GameOverAtSpeed,
                         ::testing::Values(std::pair{100, std::string("high_scores.txt")},
                                           std::pair{75, std::string("high_scores_75.txt")},
                                           std::pair{50, std::string("high_scores_50.txt")}));

// A save that failed during the run is made up at exit; a speed nobody played leaves no file, while
// the normal speed's file is written as it always was.
TEST_F(BestResults, AtExitEachSpeedsUnsavedResultsAreSavedAndTheNormalSpeedsFileAlways)
{
    SpeedChoice speed(folder / settingsFileName);
    BestResultsBySpeed results(folder, speed);
    results.Load();
    speed.Step();
    speed.Step();
    const fs::path slowest = folder / "high_scores_50.txt";
    fs::create_directory(slowest);
    results.Add(300);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(results.Save());
    EXPECT_FALSE(results.SaveAll());
    ::testing::internal::GetCapturedStderr();
    fs::remove(slowest);

    EXPECT_TRUE(results.SaveAll());
    EXPECT_EQ(ReadFile(slowest), "300\n0\n0\n0\n0\n");
    EXPECT_EQ(ReadFile(path), "0\n0\n0\n0\n0\n");
    EXPECT_FALSE(fs::exists(folder / "high_scores_75.txt"));
}
} // namespace kvelmora
