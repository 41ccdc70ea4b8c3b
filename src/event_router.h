#pragma once

#include "held_input.h"

#include <SFML/Window/Event.hpp>

namespace kvelmora
{
class Application;
class SoundSwitch;
class WindowMode;

// Hands each event of the window to whichever part it belongs to: the window's own keys, the sound
// switch with its keys and the speaker, or the screen. A held key's repeats and whatever is held into
// a new view act nowhere.
class EventRouter final
{
public:
    EventRouter(Application& application, WindowMode& mode, SoundSwitch& sound);

    bool Take(const sf::Event& event); // false when the program is to end

private:
    void TakeForScreen(const sf::Event& event);
    void TakeSoundSwitch();

    Application& m_application;
    WindowMode& m_mode;
    SoundSwitch& m_sound;
    HeldInput m_held;
};
} // namespace kvelmora
