#pragma once

#include "settings.h"

#include <SFML/Window/Event.hpp>

#include <filesystem>

namespace kvelmora
{

// M and a pad's Back button switch every sound of the game off and on, on every screen. The frame
// loop asks it first, like the fullscreen keys, so the switch never reaches a screen. The choice is
// kept in the settings file; when it cannot be, it holds for the run.
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

    SettingsFile m_settings;
    bool m_on;
    bool m_lastSaveFailed = false;
};
} // namespace kvelmora
