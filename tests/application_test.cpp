#include "application.h"
#include "game.h"
#include "info_menu.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{
std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

const std::string bestResultsPath()
{
    return GetAssetDirectory() + "high_scores.txt";
}
} // namespace

TEST(LogFile, LivesInTheAssetsBesideTheExecutable)
{
    std::string executable(4096, '\0');
    executable.resize(static_cast<std::size_t>(readlink("/proc/self/exe", executable.data(), executable.size())));
    const std::string directory = GetExecutableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    EXPECT_EQ(executable.rfind(directory, 0), 0u);
    EXPECT_EQ(executable.find('/', directory.size()), std::string::npos);
    EXPECT_EQ(GetAssetDirectory(), directory + "assets/");
}

TEST(LogFile, ResetEmptiesItAndEachLineIsAppendedAsGiven)
{
    const std::string path = GetAssetDirectory() + "log.txt";
    WriteLog("left over from an earlier run");
    ResetLog();
    EXPECT_EQ(ReadText(path), "");
    WriteLog("main: Main start.");
    WriteLog("Failed loading asset/some/path\\mixed/name.png");
    WriteLog("");
    EXPECT_EQ(ReadText(path), "main: Main start.\nFailed loading asset/some/path\\mixed/name.png\n\n");
    ResetLog();
}

TEST(RandomDraws, StayWithinFifteenBitsReachBothEndsAndRepeatForASeed)
{
    SeedRandom(1234);
    bool sawZero = false;
    bool sawMax = false;
    for (int i = 0; i < 2'000'000; ++i)
    {
        const int draw = DrawRandom();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, randomMax);
        sawZero = sawZero || draw == 0;
        sawMax = sawMax || draw == randomMax;
    }
    EXPECT_TRUE(sawZero);
    EXPECT_TRUE(sawMax);

    SeedRandom(99);
    const int first = DrawRandom();
    const float fraction = DrawFraction();
    SeedRandom(99);
    EXPECT_EQ(DrawRandom(), first);
    EXPECT_EQ(DrawFraction(), fraction);
    EXPECT_GE(fraction, 0.f);
    EXPECT_LE(fraction, 1.f);
}

TEST(AssetStore, LoadsEveryAssetUnderItsKeyWithSmoothing)
{
    TestContext test;
    EXPECT_EQ(test.context.fonts.size(), 2u);
    EXPECT_EQ(test.context.textures.size(), 16u);
    EXPECT_EQ(test.context.soundBuffers.size(), 2u);
    for (const auto& [key, texture] : test.context.textures)
    {
        EXPECT_TRUE(texture.isSmooth()) << key;
        EXPECT_FALSE(texture.isRepeated()) << key;
        EXPECT_GT(texture.getSize().x, 0u) << key;
    }
    EXPECT_GT(test.context.soundBuffers.at("game-over").getSampleCount(), 0u);
    EXPECT_EQ(test.context.textures.count("Korvel"), 0u);
    EXPECT_EQ(test.context.textures.count("korvel "), 0u);
    // An unknown key yields an empty asset rather than an error.
    EXPECT_EQ(test.context.textures["Korvel"].getSize(), sf::Vector2u(0, 0));
}

TEST(Application, BestResultsAreReadSortedAtStartAndWrittenAtTheEnd)
{
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    WriteText(bestResultsPath(), "10 50\n30 20 40\n");
    {
        Application application(&window);
        EXPECT_NE(dynamic_cast<const StartMenu*>(&application.GetScreen()), nullptr);
    }
    EXPECT_EQ(ReadText(bestResultsPath()), "50\n40\n30\n20\n10\n");

    WriteText(bestResultsPath(), "1 2 3 4 5 6\n");
    {
        Application application(&window);
    }
    EXPECT_EQ(ReadText(bestResultsPath()), "0\n0\n0\n0\n0\n");
}

TEST(Application, LogsItsStartInOrder)
{
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    ResetLog();
    {
        Application application(&window);
    }
    std::istringstream log(ReadText(GetAssetDirectory() + "log.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 53u); // 13 step lines, 40 asset lines
    EXPECT_EQ(lines[0], "Application constructor started.");
    EXPECT_EQ(lines[1], "Scores loaded.");
    EXPECT_EQ(lines[2], "Begin loading assets.");
    EXPECT_EQ(lines[3], "Asset loaded successfully: " + GetAssetDirectory() + "fonts/texgyreadventor-regular.otf");
    EXPECT_EQ(lines[4], "Asset inserted into map successfully: texgyreadventor-regular");
    EXPECT_EQ(lines[7], "Fonts loaded.");
    EXPECT_EQ(lines[8], "Began loading textures.");
    EXPECT_EQ(lines[9], "Asset loaded successfully: " + GetAssetDirectory() + "textures/Logos/korvel_50.png");
    EXPECT_EQ(lines[40], "Asset inserted into map successfully: morfologie");
    EXPECT_EQ(lines[41], "Textures loaded.");
    EXPECT_EQ(lines[42], "Texture smoothness set.");
    EXPECT_EQ(lines[43], "Began loading sounds.");
    EXPECT_EQ(lines[48], "Sounds loaded.");
    EXPECT_EQ(lines[49], "start_menu: constructor started.");
    EXPECT_EQ(lines[52], "Created StartMenu object.");
}

TEST(Application, SwitchesScreensOnlyOnRequestAndPassesFramesThrough)
{
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    window.setPosition({0, 0});
    Application application(&window);
    const Screen* const startMenu = &application.GetScreen();

    application.ProcessEvent(KeyPress(sf::Keyboard::A));
    application.Update(0.016f);
    application.Draw();
    EXPECT_EQ(&application.GetScreen(), startMenu) << "None keeps the screen";

    const auto& menu = dynamic_cast<const StartMenu&>(application.GetScreen());
    const sf::FloatRect info = menu.GetButton(StartMenu::infoButton).getGlobalBounds();
    MoveMouse(window, {info.left + info.width / 2, info.top + info.height / 2});
    application.ProcessEvent(LeftClick());
    ASSERT_NE(dynamic_cast<const InfoMenu*>(&application.GetScreen()), nullptr);

    const auto& infoMenu = dynamic_cast<const InfoMenu&>(application.GetScreen());
    const sf::FloatRect back = infoMenu.GetTopic(InfoMenu::backTopic).getGlobalBounds();
    MoveMouse(window, {back.left + back.width / 2, back.top + back.height / 2});
    application.ProcessEvent(LeftClick());
    ASSERT_NE(dynamic_cast<const StartMenu*>(&application.GetScreen()), nullptr);

    const auto& freshMenu = dynamic_cast<const StartMenu&>(application.GetScreen());
    const sf::FloatRect play = freshMenu.GetButton(StartMenu::playButton).getGlobalBounds();
    MoveMouse(window, {play.left + play.width / 2, play.top + play.height / 2});
    application.ProcessEvent(LeftClick());
    EXPECT_NE(dynamic_cast<const Game*>(&application.GetScreen()), nullptr);
    application.Update(0.016f);
    application.Draw();
}
