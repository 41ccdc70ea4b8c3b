// The sound switch and its settings file, without a window.
#include "controls.h"
#include "sound_switch.h"
#include "test_support.h"

#include <SFML/Audio/Listener.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace kvelmora
{

namespace
{
namespace fs = std::filesystem;

bool Parse(const std::string& text)
{
    std::istringstream input(text);
    return ParseSoundOn(input);
}

class SoundSwitchTest : public TempFolderTest
{
protected:
    const fs::path path = folder / settingsFileName;
};
} // namespace

TEST(SettingsFile, OnlyASwitchedOffSoundReadsAsOffAndAnythingDamagedAsOn)
{
    EXPECT_FALSE(Parse(FormatSettings(false)));
    EXPECT_TRUE(Parse(FormatSettings(true)));
    EXPECT_FALSE(Parse("sound=off")) << "without its line break";
    EXPECT_FALSE(Parse("sound=off\r\n")) << "with a Windows line end";
    const std::vector<std::string> damaged = {"",
                                              "\n",
                                              "sound=of\n",
                                              "sound=off extra\n",
                                              "Sound=Off\n",
                                              " sound=off\n",
                                              "sound=off\r\r\n",
                                              {"sound=off\0", 10},
                                              std::string(100'000, 'x') + "sound=off\n"};
    for (const std::string& text : damaged)
        EXPECT_TRUE(Parse(text)) << text.substr(0, 20);
}

TEST_F(SoundSwitchTest, MAndThePadsBackButtonSwitchTheSoundAndTheChoiceOutlivesTheRun)
{
    {
        SoundSwitch sound(path);
        EXPECT_TRUE(sound.IsOn()) << "no file yet";
        EXPECT_EQ(sf::Listener::getGlobalVolume(), 100.f);
        for (const sf::Event& other : {KeyPress(sf::Keyboard::N), KeyPress(sf::Keyboard::P), PadButton(padChooseButton),
                                       PadButton(padPauseButton), LeftClick()})
            EXPECT_FALSE(sound.Take(other)) << "passed on to the screen";
        EXPECT_TRUE(sound.IsOn());
        EXPECT_FALSE(fs::exists(path)) << "nothing to remember yet";

        EXPECT_TRUE(sound.Take(KeyPress(sf::Keyboard::M))) << "never reaches a screen";
        EXPECT_FALSE(sound.IsOn());
        EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);
        EXPECT_EQ(ReadFile(path), FormatSettings(false));
    }
    {
        SoundSwitch sound(path);
        EXPECT_FALSE(sound.IsOn()) << "read back at the next start";
        EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);
        EXPECT_TRUE(sound.Take(PadButton(padMuteButton, 2)));
        EXPECT_TRUE(sound.IsOn());
        EXPECT_EQ(sf::Listener::getGlobalVolume(), 100.f);
    }
    EXPECT_TRUE(SoundSwitch(path).IsOn());
}

TEST_F(SoundSwitchTest, AnUnusableSettingsFileMeansSoundOnAndTheSwitchStillWorks)
{
    fs::create_directory(path); // a folder where the file should be: neither read nor replaced
    SoundSwitch sound(path);
    EXPECT_TRUE(sound.IsOn());
    sound.Toggle();
    EXPECT_FALSE(sound.IsOn()) << "for this run at least";
    EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);
    EXPECT_TRUE(fs::is_directory(path));

    fs::remove(path);
    WriteFile(path, "sound=off trailing\n");
    EXPECT_TRUE(SoundSwitch(path).IsOn());
}
} // namespace kvelmora
