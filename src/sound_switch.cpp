#include "sound_switch.h"

#include "controls.h"
#include "log.h"

#include <SFML/Audio/Listener.hpp>

#include <utility>

namespace kvelmora
{

namespace
{
constexpr float fullVolume = 100.f; // SFML's global volume, in percent
} // namespace

SoundSwitch::SoundSwitch(std::filesystem::path settingsFile)
    : m_settings(std::move(settingsFile))
    , m_on(m_settings.Read().soundOn)
{
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
    m_lastSaveFailed = !m_settings.SaveSoundOn(m_on);
}

void SoundSwitch::Apply() const
{
    sf::Listener::setGlobalVolume(m_on ? fullVolume : 0.f);
}
} // namespace kvelmora
