#pragma once

#include <optional>

namespace kvelmora
{

// What one event asks of a menu, whatever the device it came from.
enum class MenuAction
{
    None,
    Next,
    Previous,
    Choose,
    Back,
};

// The one focused button of a menu. It shows only once the keys or a pad have moved it, or while the
// pointer is on a button, so a menu looks as it always did to a mouse player. The pointer entering a
// button takes the focus there; until the keys are used, leaving it hides the focus again.
class MenuFocus final
{
public:
    MenuFocus(int count, int home, bool shown = false);

    // The button chosen, if the action chose one. Choosing while the focus is hidden only shows it.
    std::optional<int> Take(MenuAction action);
    void Point(std::optional<int> button); // the button under the pointer this frame, if any

    bool IsHighlighted(int button) const { return m_shown && m_position == button; }
    bool IsShown() const { return m_shown; }

private:
    void Step(int delta);

    int m_count;
    int m_position;
    bool m_shown;
    bool m_keysUsed = false;      // from then on the focus stays when the pointer leaves
    std::optional<int> m_pointed; // the button under the pointer when last told
};
} // namespace kvelmora
