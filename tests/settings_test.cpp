// The settings file and the two choices it keeps, the sound's and the game speed's, without a window.
#include "controls.h"
#include "settings.h"
#include "sound_switch.h"
#include "speed_choice.h"
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

Settings Parse(const std::string& text)
{
    std::istringstream input(text);
    return ParseSettings(input);
}

class SettingsTest : public TempFolderTest
{
protected:
    const fs::path path = folder / settingsFileName;
};
} // namespace

TEST(SettingsFile, OnlyASwitchedOffSoundReadsAsOffAndAnythingDamagedAsOn)
{
    EXPECT_FALSE(Parse("sound=off\n").soundOn);
    EXPECT_TRUE(Parse("sound=on\n").soundOn);
    EXPECT_FALSE(Parse("sound=off").soundOn) << "without its line break";
    EXPECT_FALSE(Parse("sound=off\r\n").soundOn) << "with a Windows line end";
    EXPECT_FALSE(Parse("sound=off\nspeed=50\n").soundOn) << "with the speed after it";
    const std::vector<std::string> damaged = {"",
                                              "\n",
                                              "sound=of\n",
                                              "sound=off extra\n",
                                              "Sound=Off\n",
                                              " sound=off\n",
                                              "sound=off\r\r\n",
                                              "speed=50\nsound=off\n",
                                              {"sound=off\0", 10},
                                              std::string(100'000, 'x') + "sound=off\n"};
    for (const std::string& text : damaged)
        EXPECT_TRUE(Parse(text).soundOn) << text.substr(0, 20);
}

TEST(SettingsFile, OnlyAKnownSpeedOnTheSecondLineCountsAndAnythingElseIsTheNormalSpeed)
{
    EXPECT_EQ(Parse("sound=on\nspeed=75\n").speed, 75);
    EXPECT_EQ(Parse("sound=off\r\nspeed=50").speed, 50) << "Windows line ends, no final break";
    EXPECT_EQ(Parse("sound=on\nspeed=100\n").speed, 100);
    const std::vector<std::string> unknown = {"",
                                              "sound=off\n",
                                              "speed=50\n",
                                              "sound=on\nspeed=25\n",
                                              "sound=on\nspeed=075\n",
                                              "sound=on\nspeed=50 \n",
                                              "sound=on\nSpeed=50\n",
                                              "sound=on\n\nspeed=50\n",
                                              std::string(100'000, 'x') + "\nspeed=50\n"};
    for (const std::string& text : unknown)
        EXPECT_EQ(Parse(text).speed, normalSpeed) << text.substr(0, 20);
}

TEST_F(SettingsTest, MAndThePadsBackButtonSwitchTheSoundAndTheChoiceOutlivesTheRun)
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
        EXPECT_EQ(ReadFile(path), "sound=off\n") << "the one line older copies read";
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

TEST_F(SettingsTest, EachChoiceKeepsTheOtherAsWhicheverCopyOfTheGameSavedItLast)
{
    SoundSwitch sound(path);
    SpeedChoice speed(path);
    EXPECT_EQ(speed.GetSpeed(), normalSpeed) << "no file yet";
    speed.Step();
    EXPECT_EQ(ReadFile(path), "sound=on\nspeed=75\n");
    sound.Toggle();
    EXPECT_EQ(ReadFile(path), "sound=off\nspeed=75\n");

    // Another copy of the game changes each choice in turn; this copy's next save keeps it.
    SpeedChoice(path).Step();
    sound.Toggle();
    EXPECT_EQ(ReadFile(path), "sound=on\nspeed=50\n");
    SoundSwitch(path).Toggle();
    speed.Step();
    EXPECT_EQ(ReadFile(path), "sound=off\nspeed=50\n");

    speed.Step();
    EXPECT_EQ(speed.GetSpeed(), normalSpeed) << "after the slowest, the normal speed again";
    EXPECT_EQ(SpeedChoice(path).GetSpeed(), normalSpeed) << "read back at the next start";
    EXPECT_FALSE(SoundSwitch(path).IsOn());

    // A speed this copy does not know, saved by another one, stays as it is.
    WriteFile(path, "sound=on\nspeed=20\n");
    EXPECT_EQ(SpeedChoice(path).GetSpeed(), normalSpeed);
    sound.Toggle();
    EXPECT_EQ(ReadFile(path), "sound=off\nspeed=20\n");
}

TEST_F(SettingsTest, AnUnusableSettingsFileMeansTheDefaultsAndTheChoicesStillWork)
{
    fs::create_directory(path); // a folder where the file should be: neither read nor replaced
    SoundSwitch sound(path);
    SpeedChoice speed(path);
    EXPECT_TRUE(sound.IsOn());
    ::testing::internal::CaptureStderr();
    sound.Toggle();
    speed.Step();
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(sound.IsOn()) << "for this run at least";
    EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);
    EXPECT_TRUE(sound.LastSaveFailed());
    EXPECT_EQ(speed.GetSpeed(), 75) << "for this run at least";
    EXPECT_TRUE(speed.LastSaveFailed());
    EXPECT_TRUE(fs::is_directory(path));
}
} // namespace kvelmora
