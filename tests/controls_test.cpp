// The menus' focus and the pad's pushes that move it, without a window.
#include "controls.h"
#include "menu_focus.h"
#include "platform.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kvelmora
{

namespace
{
// The buttons a menu of `count` highlights.
std::vector<int> Highlighted(const MenuFocus& focus, int count)
{
    std::vector<int> highlighted;
    for (int button = 0; button < count; ++button)
    {
        if (focus.IsHighlighted(button))
            highlighted.push_back(button);
    }
    return highlighted;
}
} // namespace

TEST(MenuFocus, ShowsFirstThenMovesAndWrapsBothWays)
{
    MenuFocus focus(3, 1);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{}) << "a menu looks as before until a key";
    EXPECT_EQ(focus.Take(MenuAction::Next), std::nullopt);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{1}) << "the first key only shows the focus";
    focus.Take(MenuAction::Next);
    focus.Take(MenuAction::Next);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{0}) << "past the last to the first";
    focus.Take(MenuAction::Previous);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{2}) << "before the first to the last";
    EXPECT_EQ(focus.Take(MenuAction::Back), std::nullopt);
    EXPECT_EQ(focus.Take(MenuAction::Choose), 2);

    MenuFocus hidden(2, 1);
    EXPECT_EQ(hidden.Take(MenuAction::Choose), std::nullopt) << "nothing is chosen unseen";
    EXPECT_EQ(Highlighted(hidden, 2), std::vector<int>{1});
    EXPECT_EQ(hidden.Take(MenuAction::Choose), 1);

    MenuFocus shown(5, 0, true);
    shown.Take(MenuAction::Previous);
    EXPECT_EQ(Highlighted(shown, 5), std::vector<int>{4}) << "a focus shown from the start moves at once";
}

TEST(MenuFocus, ThePointerTakesTheFocusOnlyWhenItMovesOntoAButton)
{
    MenuFocus focus(3, 0);
    focus.Point(2);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{2});
    focus.Point(std::nullopt);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{}) << "before any key, as a plain hover";

    focus.Point(1);
    focus.Take(MenuAction::Next);
    focus.Point(1); // the pointer rests where it was
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{2}) << "a resting pointer leaves the keys' focus";
    focus.Point(std::nullopt);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{2}) << "once the keys are used the focus stays";
    focus.Point(0);
    EXPECT_EQ(Highlighted(focus, 3), std::vector<int>{0}) << "at most one button is highlighted";
    EXPECT_EQ(focus.Take(MenuAction::Choose), 0);
}

TEST(MenuControls, APadPushPastHalfTheRangeStepsOnceUntilItComesBack)
{
    MenuControls controls(MenuLayout::Row);
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, 50.f)), MenuAction::None) << "inside the dead zone";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, 51.f)), MenuAction::Next);
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, 100.f)), MenuAction::None) << "held: one step";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, 100.f, 1)), MenuAction::Next) << "another pad";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, -80.f)), MenuAction::Previous) << "straight the other way";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, -10.f)), MenuAction::None);
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::X, -60.f)), MenuAction::Previous) << "back, then out again";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::Y, 100.f)), MenuAction::Next) << "the stick's down";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::Z, 100.f)), MenuAction::None) << "a trigger";
    EXPECT_EQ(controls.Take(PadPush(sf::Joystick::PovX, 100.f)), MenuAction::Next);

    // The D-pad moves a column up and down, whichever sign the platform gives its down.
    MenuControls column(MenuLayout::Column);
    const float down = 100.f * platform::GetPadDownSign();
    EXPECT_EQ(column.Take(PadPush(sf::Joystick::PovY, down)), MenuAction::Next);
    EXPECT_EQ(column.Take(PadPush(sf::Joystick::PovY, -down)), MenuAction::Previous);
    EXPECT_EQ(column.Take(PadPush(sf::Joystick::PovX, 100.f)), MenuAction::None) << "a column ignores sideways";
}
} // namespace kvelmora
