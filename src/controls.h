#pragma once

#include "menu_focus.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Joystick.hpp>

#include <map>
#include <utility>

namespace kvelmora
{

// Pad buttons as SFML numbers them on the common pads.
constexpr unsigned int padChooseButton = 0; // A or cross: jump, choose
constexpr unsigned int padBackButton = 1;   // B or circle: back
constexpr unsigned int padMuteButton = 6;   // Back or Select: sound off and on
constexpr unsigned int padPauseButton = 7;  // Start: pause and resume
constexpr float padDeadZone = 50.f;         // of SFML's axis range of ±100: half of it

bool IsPadButtonPress(const sf::Event& event, unsigned int button);
// -1 for up or left, 1 for down or right, 0 inside the dead zone.
int PushDirection(const sf::Event::JoystickMoveEvent& move);
bool IsLeftClick(const sf::Event& event);
// Whether a tap or a click at the position hits a control drawn as the sprite: a little beyond its
// picture as well, for a child's finger.
bool IsOnControl(const sf::Sprite& control, sf::Vector2f position);

// Where a menu's buttons stand: in a row every arrow moves the focus, in a column only Up and Down.
enum class MenuLayout
{
    Row,
    Column,
};

// Turns keys, pad buttons and pushes of the D-pad or the left stick into what a menu does. A push
// past the dead zone is one step; the next step needs the pad back inside it or pushed the other way.
class MenuControls final
{
public:
    explicit MenuControls(MenuLayout layout);

    MenuAction Take(const sf::Event& event);

private:
    MenuAction TakeKey(const sf::Event::KeyEvent& key) const;
    MenuAction TakePush(const sf::Event::JoystickMoveEvent& move);

    MenuLayout m_layout;
    std::map<std::pair<unsigned int, sf::Joystick::Axis>, int> m_pushes; // -1, 0 or 1 per pad and axis
};
} // namespace kvelmora
