#pragma once

#include <SFML/Window/Event.hpp>

#include <filesystem>
#include <istream>
#include <string>

namespace kvelmora
{

extern const std::string settingsFileName; // beside the best results

// The settings file holds the one choice; anything but a sound switched off reads as sound on.
bool ParseSoundOn(std::istream& input);
std::string FormatSettings(bool soundOn);

// M and a pad's Back button switch every sound of the game off and on, on every screen. The frame
// loop asks it first, like the fullscreen keys, so the switch never reaches a screen. The choice is
// kept in the settings file, written whole or not at all; when it cannot be, it holds for the run.
class SoundSwitch final
{
public:
    explicit SoundSwitch(std::filesystem::path settingsFile); // reads the choice and applies it

    bool Take(const sf::Event& event); // true for the switch's own events
    void Toggle();
    bool IsOn() const { return m_on; }
    bool LastSaveFailed() const { return m_lastSaveFailed; }

private:
    void Apply() const;
    void Save();

    std::filesystem::path m_file;
    bool m_on;
    bool m_lastSaveFailed = false;
};
} // namespace kvelmora
