#include "held_input.h"

#include "controls.h"

#include <iterator>

namespace kvelmora
{

namespace
{
bool Repeats(sf::Keyboard::Key key)
{
    return key == sf::Keyboard::Up || key == sf::Keyboard::Down || key == sf::Keyboard::Left ||
           key == sf::Keyboard::Right;
}
} // namespace

bool HeldInput::Take(const sf::Event& event, ViewStamp view)
{
    switch (event.type)
    {
    case sf::Event::KeyPressed:
        return TakeKeyPress(event.key.code, view);
    case sf::Event::KeyReleased:
        m_keys.erase(event.key.code);
        return true;
    case sf::Event::LostFocus:
        // The releases go to whichever window has the focus now.
        m_keys.clear();
        return true;
    case sf::Event::JoystickMoved:
        return TakePush(event.joystickMove, view);
    case sf::Event::JoystickDisconnected:
        ForgetPad(event.joystickConnect.joystickId);
        return true;
    default:
        return true;
    }
}

bool HeldInput::TakeKeyPress(sf::Keyboard::Key key, ViewStamp view)
{
    const auto [held, pressed] = m_keys.try_emplace(key, view);
    return pressed || (held->second == view && Repeats(key));
}

bool HeldInput::TakePush(const sf::Event::JoystickMoveEvent& move, ViewStamp view)
{
    const std::pair axis{move.joystickId, move.axis};
    const int direction = PushDirection(move);
    if (direction == 0)
    {
        m_pushes.erase(axis);
        return true;
    }
    const auto pushed = m_pushes.find(axis);
    if (pushed != m_pushes.end() && pushed->second.direction == direction)
        return pushed->second.view == view;
    m_pushes[axis] = {direction, view};
    return true;
}

void HeldInput::ForgetPad(unsigned int pad)
{
    for (auto push = m_pushes.begin(); push != m_pushes.end();)
        push = push->first.first == pad ? m_pushes.erase(push) : std::next(push);
}
} // namespace kvelmora
