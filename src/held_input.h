#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Joystick.hpp>

#include <map>
#include <utility>

namespace kvelmora
{

// Which screen the player sees, and which view of it; it changes with every new screen or view.
using ViewStamp = std::pair<unsigned int, int>;

// The window repeats a held key, and a pad reports a held stick again and again. Only the arrows
// repeat what they do (Up keeps jumping, the focus keeps moving); every other key acts once per
// press. A key or a stick held while the view changes does nothing on the new view until let go.
class HeldInput final
{
public:
    bool Take(const sf::Event& event, ViewStamp view); // false for an event that must not act

private:
    bool TakeKeyPress(sf::Keyboard::Key key, ViewStamp view);
    bool TakePush(const sf::Event::JoystickMoveEvent& move, ViewStamp view);
    void ForgetPad(unsigned int pad);

    std::map<sf::Keyboard::Key, ViewStamp> m_keys; // held down, with the view they were pressed on
    struct Push
    {
        int direction; // -1 or 1
        ViewStamp view;
    };
    std::map<std::pair<unsigned int, sf::Joystick::Axis>, Push> m_pushes; // axes out of the dead zone
};
} // namespace kvelmora
