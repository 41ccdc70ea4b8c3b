#pragma once

#include "settings.h"

#include <filesystem>
#include <string>

namespace kvelmora
{
// A speed as the player reads it: "50 %".
std::wstring FormatSpeed(int percent);

// The game speed the player has chosen on the start menu, kept in the settings file beside the
// sound's choice; when it cannot be kept, it holds for the run.
class SpeedChoice final
{
public:
    explicit SpeedChoice(std::filesystem::path settingsFile); // reads the choice

    void Step();                             // to the next slower speed, after the slowest back to the normal one
    int GetSpeed() const { return m_speed; } // percent of the normal speed
    bool LastSaveFailed() const { return m_lastSaveFailed; }

private:
    SettingsFile m_settings;
    int m_speed;
    bool m_lastSaveFailed = false;
};
} // namespace kvelmora
