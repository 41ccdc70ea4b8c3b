#include "window_mode.h"

#include "constants.h"
#include "log.h"
#include "platform.h"
#include "window_icon.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <utility>

namespace kvelmora
{
namespace
{
constexpr unsigned int bitsPerPixel = 32;

// A page's WebGL context is asked for no antialiasing: the picture is drawn pixel for pixel anyway.
sf::ContextSettings MakeContextSettings(const platform::WindowHost& host)
{
    sf::ContextSettings settings;
    settings.antialiasingLevel = host.IsPage() ? 0 : 1;
    return settings;
}

bool IsEscapeKey(const sf::Event& event)
{
    return event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape;
}

bool IsFullscreenKey(const sf::Event& event)
{
    return event.type == sf::Event::KeyPressed &&
           (event.key.code == sf::Keyboard::F11 || (event.key.code == sf::Keyboard::Enter && event.key.alt));
}

// Alt alone is the start of Alt+Enter: after a game it must not leave for the start menu.
bool IsAltKey(const sf::Event& event)
{
    return event.type == sf::Event::KeyPressed &&
           (event.key.code == sf::Keyboard::LAlt || event.key.code == sf::Keyboard::RAlt);
}

bool IsFocusEvent(const sf::Event& event)
{
    return event.type == sf::Event::LostFocus || event.type == sf::Event::GainedFocus;
}

// The frame loop fits the picture to the window's size anew in every frame.
bool IsResize(const sf::Event& event)
{
    return event.type == sf::Event::Resized;
}
} // namespace

void FocusSettler::NoteChange()
{
    m_toCheck = true;
}

std::optional<bool> FocusSettler::Settle(bool hasFocus, float secondsSinceCreation)
{
    if (!m_toCheck || secondsSinceCreation < settleSeconds)
        return std::nullopt;
    m_toCheck = false;
    if (hasFocus == m_told)
        return std::nullopt;
    m_told = hasFocus;
    return hasFocus;
}

WindowMode::WindowMode(sf::RenderWindow& window, platform::WindowHost host)
    : m_window(window)
    , m_host(std::move(host))
{
}

// Creating the window again keeps the textures, which live in a context shared by every window.
// A new window starts without a frame-rate limit, so one that is needed is set again.
void WindowMode::Open()
{
    if (m_host.IsPage())
    {
        // Resizable is how a page's canvas takes the page's size and follows it.
        m_window.create(sf::VideoMode(m_windowed.size.x, m_windowed.size.y, bitsPerPixel), sf::String(windowTitle),
                        sf::Style::Resize, MakeContextSettings(m_host));
    }
    else if (m_fullscreen)
    {
        m_window.create(sf::VideoMode::getDesktopMode(), sf::String(windowTitle), sf::Style::Fullscreen,
                        MakeContextSettings(m_host));
    }
    else
    {
        m_window.create(sf::VideoMode(m_windowed.size.x, m_windowed.size.y, bitsPerPixel), sf::String(windowTitle),
                        sf::Style::Titlebar | sf::Style::Close, MakeContextSettings(m_host));
        FitToDesktop();
    }
    SetWindowIcon(m_window);
    m_window.setView(GetLogicalView());
    m_window.setVerticalSyncEnabled(true);
    if (HasFrameLimit())
        m_window.setFramerateLimit(FrameRateWatch::limitedFramesPerSecond);
    m_sinceCreation.restart();
    m_focus.NoteChange();
}

// The window gets the room it fits only once it exists: asking the desktop opens a second connection to
// the display, and a bare X server resets itself, refusing new connections for a moment, whenever its
// last client leaves. Created at the size fitted before, so a return from fullscreen needs no resize.
void WindowMode::FitToDesktop()
{
    m_windowed = FitWindow(m_host.getDesktopRoom());
    if (m_window.getSize() != m_windowed.size)
        m_window.setSize(m_windowed.size);
    m_window.setPosition(m_windowed.position);
}

void WindowMode::ToggleFullscreen()
{
    if (m_host.IsPage())
    {
        // The page answers later, with a new size; the player may also leave by the browser's own keys.
        m_host.togglePageFullscreen();
        return;
    }
    // A new window starts on its default view; the screen's own view, the game's scroll, goes on.
    const sf::View shown = m_window.getView();
    m_fullscreen = !m_fullscreen;
    Open();
    m_window.setView(shown);
    WriteLog(m_fullscreen ? "main: fullscreen." : "main: windowed.");
}

EventRoute WindowMode::Route(const sf::Event& event)
{
    if (event.type == sf::Event::Closed)
        return EventRoute::Quit;
    if (IsEscapeKey(event))
        return m_host.IsPage() ? EventRoute::ToStartMenu : EventRoute::Quit;
    if (IsFullscreenKey(event))
        ToggleFullscreen();
    else if (IsFocusEvent(event))
        m_focus.NoteChange();
    else if (!IsAltKey(event) && !IsResize(event))
        return EventRoute::ToScreen;
    return EventRoute::Handled;
}

std::optional<sf::Event> WindowMode::TakeFocusChange()
{
    const std::optional<bool> focused =
        m_focus.Settle(m_window.hasFocus(), m_sinceCreation.getElapsedTime().asSeconds());
    if (!focused)
        return std::nullopt;
    sf::Event event;
    event.type = *focused ? sf::Event::GainedFocus : sf::Event::LostFocus;
    return event;
}

void WindowMode::AddFrame(float seconds)
{
    if (HasFrameLimit())
        return;
    m_frameRate.AddFrame(seconds);
    if (HasFrameLimit())
        m_window.setFramerateLimit(FrameRateWatch::limitedFramesPerSecond);
}
} // namespace kvelmora
