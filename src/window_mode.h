#pragma once

#include "frame_rate.h"
#include "platform.h"
#include "window_fit.h"

#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

#include <optional>

namespace sf
{
class RenderWindow;
}

namespace kvelmora
{
// Creating a window loses and regains the focus in passing, and the window system takes a moment to
// settle. The screens hear of the focus only as it stands once settled: a switch neither pauses nor
// resumes a game, while a window left without the focus pauses it as any focus loss does.
class FocusSettler final
{
public:
    static constexpr float settleSeconds = 0.5f; // after a window's creation, for the focus to come

    void NoteChange(); // a focus event came, or the window was created anew
    // The focus to tell the screens, once settled and unlike what they were last told.
    std::optional<bool> Settle(bool hasFocus, float secondsSinceCreation);

private:
    bool m_told = true;     // the focus as the screens were last told of it
    bool m_toCheck = false; // a change may have happened since
};

// What the frame loop does with one event of the window.
enum class EventRoute
{
    Quit,        // the close button or Escape
    ToStartMenu, // Escape in a page, which cannot end
    Handled,     // the window's own: the fullscreen keys, focus events, a new size
    ToScreen,    // everything else
};

// How the one window is shown: windowed and fitted to the desktop, or fullscreen, or filling a page;
// with a frame-rate limit where vertical sync has no effect. Nothing of it outlives the run.
class WindowMode final
{
public:
    WindowMode(sf::RenderWindow& window, platform::WindowHost host);
    WindowMode(const WindowMode&) = delete;
    WindowMode& operator=(const WindowMode&) = delete;

    void Open(); // creates the window anew as the mode says
    void ToggleFullscreen();
    EventRoute Route(const sf::Event& event); // acts on the window's own events
    std::optional<sf::Event> TakeFocusChange();
    void AddFrame(float seconds); // limits the frame rate from the first run of too quick frames on

    bool IsFullscreen() const { return m_fullscreen; }
    bool HasFrameLimit() const { return m_frameRate.NeedsLimit(); }

private:
    void FitToDesktop();

    sf::RenderWindow& m_window;
    platform::WindowHost m_host;
    bool m_fullscreen = false;
    WindowPlacement m_windowed{{logicalWidth, logicalHeight}, {0, 0}}; // as last fitted to the desktop
    FocusSettler m_focus;
    sf::Clock m_sinceCreation; // of the window, which gets its focus only after a moment
    FrameRateWatch m_frameRate;
};
} // namespace kvelmora
