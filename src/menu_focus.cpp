#include "menu_focus.h"

#include <cassert>

namespace kvelmora
{

MenuFocus::MenuFocus(int count, int home, bool shown)
    : m_count(count)
    , m_position(home)
    , m_shown(shown)
{
    assert(count > 0 && home >= 0 && home < count);
}

std::optional<int> MenuFocus::Take(MenuAction action)
{
    switch (action)
    {
    case MenuAction::Next:
        Step(1);
        break;
    case MenuAction::Previous:
        Step(-1);
        break;
    case MenuAction::Choose:
        if (m_shown)
            return m_position;
        m_shown = true;
        m_keysUsed = true;
        break;
    case MenuAction::Back:
    case MenuAction::None:
        break;
    }
    return std::nullopt;
}

void MenuFocus::Step(int delta)
{
    // The first step only shows where the focus is.
    if (m_shown)
        m_position = (m_position + delta + m_count) % m_count;
    m_shown = true;
    m_keysUsed = true;
}

void MenuFocus::Point(std::optional<int> button)
{
    // Only a pointer that moves onto a button takes the focus: one resting there leaves the keys alone.
    if (button == m_pointed)
        return;
    m_pointed = button;
    if (button)
    {
        m_position = *button;
        m_shown = true;
    }
    else if (!m_keysUsed)
    {
        m_shown = false;
    }
}
} // namespace kvelmora
