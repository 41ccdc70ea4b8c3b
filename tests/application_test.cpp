#include "application.h"
#include "game.h"
#include "info_menu.h"
#include "platform.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
std::string ReadText(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

template <typename Target>
const Target* ScreenOf(const Application& application)
{
    return dynamic_cast<const Target*>(&application.GetScreen());
}
} // namespace

TEST(LogFile, LivesBesideTheExecutableAndTakesLinesAsGiven)
{
    const std::filesystem::path directory = GetExecutableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(std::filesystem::exists(directory / "assets")) << "the tests' own asset copy";

    WriteLog("left over from an earlier run");
    ResetLog();
    EXPECT_EQ(ReadText(GetAssetDirectory() / "log.txt"), "");
    WriteLog("Failed loading asset/some/path\\mixed.png");
    WriteLog("");
    EXPECT_EQ(ReadText(GetAssetDirectory() / "log.txt"), "Failed loading asset/some/path\\mixed.png\n\n");
}

TEST(LogFile, IsNeverWrittenThroughASymlink)
{
    const std::filesystem::path log = GetAssetDirectory() / "log.txt";
    const std::filesystem::path victim = GetAssetDirectory() / "victim.txt";
    WriteText(victim, "someone else's file\n");
    std::filesystem::remove(log);
    if (!CreateSymlink(victim, log))
        GTEST_SKIP() << "this system makes no symbolic links";
    ResetLog();
    WriteLog("a line");
    EXPECT_EQ(ReadText(victim), "someone else's file\n");
    std::filesystem::remove(log);
    std::filesystem::remove(victim);
}

TEST(LogFile, MovesToLog1OncePastTheLimitWithEveryLineWholeInOneFile)
{
    const std::filesystem::path log = GetAssetDirectory() / "log.txt";
    const std::filesystem::path older = GetAssetDirectory() / "log.1.txt";
    WriteText(older, "the previous run\n");
    ResetLog();
    EXPECT_EQ(ReadText(older), "the previous run\n") << "a new start empties log.txt only";

    const std::string filler(100'000, 'x');
    std::string lines;
    for (std::uintmax_t written = 0; written < logSizeLimit + logSizeLimit / 4; written += filler.size())
    {
        const std::string line = std::to_string(written) + filler;
        WriteLog(line);
        lines += line + "\n";
    }
    const std::string olderText = ReadText(older);
    EXPECT_GT(olderText.size(), logSizeLimit);
    EXPECT_LT(olderText.size(), logSizeLimit + filler.size() + 20);
    EXPECT_EQ(olderText + ReadText(log), lines);
    ResetLog();
    std::filesystem::remove(older);
}

TEST(RandomDraws, ReachBothEndsOfTheirRangeAndNoFurther)
{
    SeedRandom(1234); // any seed: a million draws miss an end with odds of about e^-30
    int lowest = randomMax;
    int highest = 0;
    for (int i = 0; i < 1'000'000; ++i)
    {
        const int draw = DrawRandom();
        lowest = std::min(lowest, draw);
        highest = std::max(highest, draw);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, randomMax);
}

TEST(Application, KeepsTheBestResultsAcrossARunAndSwitchesScreensOnRequest)
{
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    window.setPosition({0, 0});
    const std::filesystem::path scores = GetAssetDirectory() / "high_scores.txt";
    std::ofstream(scores) << "10 50\n30 20 40\n";
    {
        Application application(&window);
        ASSERT_NE(ScreenOf<StartMenu>(application), nullptr);
        const Screen* const first = &application.GetScreen();
        application.ProcessEvent(KeyPress(sf::Keyboard::A));
        application.Update(0.016f);
        application.Draw();
        EXPECT_EQ(&application.GetScreen(), first) << "no request keeps the screen";

        MoveMouse(window, Centre(ScreenOf<StartMenu>(application)->GetButton(StartMenu::infoButton)));
        application.ProcessEvent(LeftClick());
        ASSERT_NE(ScreenOf<InfoMenu>(application), nullptr);
        MoveMouse(window, Centre(ScreenOf<InfoMenu>(application)->GetTopic(InfoMenu::backTopic)));
        application.ProcessEvent(LeftClick());
        ASSERT_NE(ScreenOf<StartMenu>(application), nullptr);
        MoveMouse(window, Centre(ScreenOf<StartMenu>(application)->GetButton(StartMenu::playButton)));
        application.ProcessEvent(LeftClick());
        EXPECT_NE(ScreenOf<Game>(application), nullptr);
        EXPECT_TRUE(application.SaveBestResults());
    }
    EXPECT_EQ(ReadText(scores), "50\n40\n30\n20\n10\n");

    std::ofstream(scores) << "1 2 3 4 5 6\n";
    EXPECT_TRUE(Application(&window).SaveBestResults());
    EXPECT_EQ(ReadText(scores), "0\n0\n0\n0\n0\n") << "a bad file is replaced";
    EXPECT_EQ(ReadText(scores.string() + ".bad"), "1 2 3 4 5 6\n") << "and kept aside";
}

TEST(FileLocations, PortableGamesKeepTheirFilesBesideTheAssetsWhileTheyCanWriteThere)
{
    const std::filesystem::path portable = "/games/kvelmora/assets";
    const std::filesystem::path installed = "/usr/share/kvelmora/assets";
    const PlayerFolders player{"/home/jana/.local/share/kvelmora", "/home/jana/.local/state/kvelmora"};

    const FileLocations writable = ChooseFileLocations(portable, std::nullopt, true, player);
    EXPECT_EQ(writable.assets, portable);
    EXPECT_EQ(writable.bestResults, portable);
    EXPECT_EQ(writable.log, portable);

    const FileLocations readOnly = ChooseFileLocations(portable, std::nullopt, false, player);
    EXPECT_EQ(readOnly.assets, portable);
    EXPECT_EQ(readOnly.bestResults, player.data);
    EXPECT_EQ(readOnly.log, player.state);

    // Even where the process could write (root, an administrator), an installation is left alone.
    const FileLocations inInstallation = ChooseFileLocations(portable, installed, true, player);
    EXPECT_EQ(inInstallation.assets, installed);
    EXPECT_EQ(inInstallation.bestResults, player.data);
    EXPECT_EQ(inInstallation.log, player.state);
}
