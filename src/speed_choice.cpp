#include "speed_choice.h"

#include "log.h"

#include <algorithm>
#include <string>
#include <utility>

namespace kvelmora
{

std::wstring FormatSpeed(int percent)
{
    return std::to_wstring(percent) + L" %";
}

SpeedChoice::SpeedChoice(std::filesystem::path settingsFile)
    : m_settings(std::move(settingsFile))
    , m_speed(m_settings.Read().speed)
{
}

void SpeedChoice::Step()
{
    const auto current = std::find(gameSpeeds.begin(), gameSpeeds.end(), m_speed);
    const auto next = current + 1 == gameSpeeds.end() ? gameSpeeds.begin() : current + 1;
    m_speed = *next;
    WriteLog("main: game speed " + std::to_string(m_speed) + " %.");
    m_lastSaveFailed = !m_settings.SaveSpeed(m_speed);
}
} // namespace kvelmora
