#pragma once

#include <array>
#include <filesystem>
#include <istream>
#include <string>

namespace kvelmora
{

extern const std::string settingsFileName; // beside the best results

// The game speeds in percent of the normal one, in the order the start menu steps through them.
constexpr std::array<int, 3> gameSpeeds = {100, 75, 50};
constexpr int normalSpeed = gameSpeeds[0];

// The player's choices as the settings file holds them: one a line, the sound's first, as older
// copies of the game read only that line. Anything but a sound switched off reads as sound on, and
// anything but a known speed as the normal speed.
struct Settings
{
    bool soundOn = true;
    int speed = normalSpeed; // percent
};

Settings ParseSettings(std::istream& input);

// The settings file that the sound switch and the speed choice share with each other and with
// every running copy of the game. A save reads the file again under the lock and replaces only its
// own line, so the other choice stays as it was saved last, by whichever copy; the file is written
// whole or not at all, and a failure is logged and told on standard error.
class SettingsFile final
{
public:
    explicit SettingsFile(std::filesystem::path path); // removes what killed writes left

    Settings Read() const;
    bool SaveSoundOn(bool soundOn) const;
    bool SaveSpeed(int speed) const;

private:
    bool SaveLine(std::size_t index, const std::string& line) const;
    bool ReplaceLine(std::size_t index, const std::string& line) const;

    std::filesystem::path m_path;
};
} // namespace kvelmora
