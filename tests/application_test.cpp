#include "application.h"
#include "assets.h"
#include "log.h"
#include "file_locations.h"
#include "game.h"
#include "platform.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kvelmora
{

namespace
{
namespace fs = std::filesystem;

// The log of the tests' own asset folder, with no log.1.txt before a test nor after it.
class LogFile : public ::testing::Test
{
protected:
    void SetUp() override { fs::remove_all(older); }

    void TearDown() override
    {
        fs::remove_all(older);
        ResetLog();
    }

    const fs::path log = GetAssetDirectory() / "log.txt";
    const fs::path older = GetAssetDirectory() / "log.1.txt";
};
} // namespace

TEST_F(LogFile, StartsEmptyTakesLinesAsGivenAndIsNeverWrittenThroughASymlink)
{
    WriteLog("left over from an earlier run");
    ResetLog();
    EXPECT_EQ(ReadFile(log), "");
    WriteLog("Failed loading asset/some/path\\mixed.png");
    WriteLog("");
    EXPECT_EQ(ReadFile(log), "Failed loading asset/some/path\\mixed.png\n\n");

    const fs::path victim = GetAssetDirectory() / "victim.txt";
    WriteFile(victim, "someone else's file\n");
    fs::remove(log);
    if (!CreateSymlink(victim, log))
        GTEST_SKIP() << "this system makes no symbolic links";
    ResetLog();
    WriteLog("a line");
    EXPECT_EQ(ReadFile(victim), "someone else's file\n");
    fs::remove(log);
    fs::remove(victim);
}

TEST_F(LogFile, MovesToLog1OncePastTheLimitWithEveryLineWholeInOneFile)
{
    WriteFile(older, "the previous run\n");
    ResetLog();
    EXPECT_EQ(ReadFile(older), "the previous run\n") << "a new start empties log.txt only";

    const std::string filler(100'000, 'x');
    std::string lines;
    for (std::uintmax_t written = 0; written < logSizeLimit + logSizeLimit / 4; written += filler.size())
    {
        const std::string line = std::to_string(written) + filler;
        WriteLog(line);
        lines += line + "\n";
    }
    const std::string olderText = ReadFile(older);
    EXPECT_GT(olderText.size(), logSizeLimit);
    EXPECT_LT(olderText.size(), logSizeLimit + filler.size() + 20);
    EXPECT_EQ(olderText + ReadFile(log), lines);
}

// log.1.txt a folder stands for every way the move can fail, such as a folder the game may not
// write to around a log.txt that it may.
TEST_F(LogFile, NeverGrowsPastTheLimitWhenItCannotMoveToLog1)
{
    fs::create_directories(older / "kept");
    ResetLog();

    const std::string filler(100'000, 'x');
    std::uintmax_t largest = 0;
    for (std::uintmax_t written = 0; written < 2 * logSizeLimit; written += filler.size())
    {
        WriteLog(filler);
        largest = std::max(largest, fs::file_size(log));
    }
    EXPECT_LE(largest, logSizeLimit + filler.size() + 1);
    EXPECT_TRUE(fs::is_directory(older / "kept"));
}

TEST(Application, KeepsTheBestResultsAcrossARunAndSwitchesScreensOnRequest)
{
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    window.setPosition({0, 0});
    const fs::path scores = GetAssetDirectory() / "high_scores.txt";
    WriteFile(scores, "10 50\n30 20 40\n");
    Application application(window);
    ASSERT_NE(ScreenOf<StartMenu>(application), nullptr);
    const Screen* const first = &application.GetScreen();
    application.ProcessEvent(KeyPress(sf::Keyboard::A));
    application.Update(frameTime);
    application.Draw();
    EXPECT_EQ(&application.GetScreen(), first) << "no request keeps the screen";

    // The event routing tests walk every screen; here the start menu's request opens a game.
    MoveMouse(window, Centre(ScreenProbe::Button(*ScreenOf<StartMenu>(application), StartMenu::playButton)));
    application.ProcessEvent(LeftClick());
    ASSERT_NE(ScreenOf<Game>(application), nullptr);

    // A page's Escape: back to the start menu from any other screen, saving first; on it, nothing.
    application.ReturnToStartMenu();
    ASSERT_NE(ScreenOf<StartMenu>(application), nullptr);
    EXPECT_EQ(ReadFile(scores), "50\n40\n30\n20\n10\n");
    const Screen* const menu = &application.GetScreen();
    application.ReturnToStartMenu();
    EXPECT_EQ(&application.GetScreen(), menu);
    EXPECT_TRUE(application.SaveBestResults());
}

// The installed game's text is the one players know; a copy they unpacked or a page cannot be reinstalled.
TEST(MissingFiles, TheErrorBoxAdvisesWhatFitsHowTheGameCame)
{
    EXPECT_EQ(MissingFilesMessage(platform::CopyKind::Installed),
              "Aplikace nenalezla všechny soubory. Nainstalujte hru znova.");
    EXPECT_EQ(MissingFilesMessage(platform::CopyKind::Page),
              "Aplikace nenalezla všechny soubory. Načtěte stránku znovu.");
}
} // namespace kvelmora
