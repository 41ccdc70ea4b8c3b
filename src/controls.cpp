#include "controls.h"

#include "platform.h"

namespace kvelmora
{

namespace
{
constexpr float tapReach = 16.f; // pixels round a control's picture: a 48-pixel one answers in 80

bool IsVertical(sf::Joystick::Axis axis)
{
    return axis == sf::Joystick::Y || axis == sf::Joystick::PovY;
}

bool IsHorizontal(sf::Joystick::Axis axis)
{
    return axis == sf::Joystick::X || axis == sf::Joystick::PovX;
}

MenuAction StepTowards(int direction)
{
    return direction > 0 ? MenuAction::Next : MenuAction::Previous;
}
} // namespace

int PushDirection(const sf::Event::JoystickMoveEvent& move)
{
    const float position = move.axis == sf::Joystick::PovY ? platform::GetPadDownSign() * move.position : move.position;
    if (position > padDeadZone)
        return 1;
    if (position < -padDeadZone)
        return -1;
    return 0;
}

bool IsPadButtonPress(const sf::Event& event, unsigned int button)
{
    return event.type == sf::Event::JoystickButtonPressed && event.joystickButton.button == button;
}

bool IsLeftClick(const sf::Event& event)
{
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left;
}

bool IsOnControl(const sf::Sprite& control, sf::Vector2f position)
{
    const sf::FloatRect picture = control.getGlobalBounds();
    const sf::FloatRect area(picture.left - tapReach, picture.top - tapReach, picture.width + 2 * tapReach,
                             picture.height + 2 * tapReach);
    return area.contains(position);
}

MenuControls::MenuControls(MenuLayout layout)
    : m_layout(layout)
{
}

MenuAction MenuControls::Take(const sf::Event& event)
{
    switch (event.type)
    {
    case sf::Event::KeyPressed:
        return TakeKey(event.key);
    case sf::Event::JoystickButtonPressed:
        if (event.joystickButton.button == padChooseButton)
            return MenuAction::Choose;
        return event.joystickButton.button == padBackButton ? MenuAction::Back : MenuAction::None;
    case sf::Event::JoystickMoved:
        return TakePush(event.joystickMove);
    default:
        return MenuAction::None;
    }
}

MenuAction MenuControls::TakeKey(const sf::Event::KeyEvent& key) const
{
    const bool row = m_layout == MenuLayout::Row;
    switch (key.code)
    {
    case sf::Keyboard::Tab:
        return key.shift ? MenuAction::Previous : MenuAction::Next;
    case sf::Keyboard::Up:
        return MenuAction::Previous;
    case sf::Keyboard::Down:
        return MenuAction::Next;
    case sf::Keyboard::Left:
        return row ? MenuAction::Previous : MenuAction::None;
    case sf::Keyboard::Right:
        return row ? MenuAction::Next : MenuAction::None;
    case sf::Keyboard::Enter:
    case sf::Keyboard::Space:
        return MenuAction::Choose;
    case sf::Keyboard::BackSpace:
        return MenuAction::Back;
    default:
        return MenuAction::None;
    }
}

MenuAction MenuControls::TakePush(const sf::Event::JoystickMoveEvent& move)
{
    const bool moves = IsVertical(move.axis) || (m_layout == MenuLayout::Row && IsHorizontal(move.axis));
    if (!moves)
        return MenuAction::None;
    int& pushed = m_pushes[{move.joystickId, move.axis}];
    const int direction = PushDirection(move);
    if (direction == pushed)
        return MenuAction::None;
    pushed = direction;
    return direction == 0 ? MenuAction::None : StepTowards(direction);
}
} // namespace kvelmora
