#include "sound_switch.h"

#include "controls.h"
#include "log.h"
#include "platform.h"

#include <SFML/Audio/Listener.hpp>

#include <iostream>
#include <memory>
#include <utility>

namespace kvelmora
{

namespace
{
const std::string soundOffLine = "sound=off";
const std::string soundOnLine = "sound=on";
constexpr std::size_t longestLine = 64; // characters read; a longer first line is damage anyway
constexpr float fullVolume = 100.f;     // SFML's global volume, in percent
} // namespace

const std::string settingsFileName = "settings.txt";

bool ParseSoundOn(std::istream& input)
{
    std::string line;
    char c = 0;
    while (line.size() <= longestLine && input.get(c) && c != '\n')
        line += c;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line != soundOffLine;
}

namespace
{
bool ReadSoundOn(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = platform::OpenRegularFile(path);
    return !input || ParseSoundOn(*input);
}
} // namespace

std::string FormatSettings(bool soundOn)
{
    return (soundOn ? soundOnLine : soundOffLine) + "\n";
}

SoundSwitch::SoundSwitch(std::filesystem::path settingsFile)
    : m_file(std::move(settingsFile))
    , m_on(ReadSoundOn(m_file))
{
    // What a killed write left; a running write of another copy holds its file and keeps it.
    platform::RemoveLeftoverTemporaries(m_file);
    Apply();
}

bool SoundSwitch::Take(const sf::Event& event)
{
    const bool mine = (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::M) ||
                      IsPadButtonPress(event, padMuteButton);
    if (mine)
        Toggle();
    return mine;
}

void SoundSwitch::Toggle()
{
    m_on = !m_on;
    Apply();
    WriteLog(m_on ? "main: sound on." : "main: sound off.");
    Save();
}

void SoundSwitch::Save()
{
    platform::RemoveLeftoverTemporaries(m_file);
    m_lastSaveFailed = !platform::WriteWholeFile(m_file, FormatSettings(m_on));
    if (!m_lastSaveFailed)
        return;
    WriteLog("main: settings not saved.");
    std::cerr << "kvelmora: cannot save the settings to " << m_file.string() << '\n';
}

void SoundSwitch::Apply() const
{
    sf::Listener::setGlobalVolume(m_on ? fullVolume : 0.f);
}
} // namespace kvelmora
