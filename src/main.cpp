#include "main.h"

#include "application.h"
#include "constants.h"
#include "platform.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace
{
constexpr unsigned int bitsPerPixel = 32;
const sf::Color clearColor(255, 255, 255, 255);     // also the bars beside a picture of another shape
const sf::Time focusSettleTime = sf::seconds(0.5f); // after a window's creation, for the focus to come

sf::ContextSettings MakeContextSettings()
{
    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    return settings;
}

// The window gets the room it fits only once it exists: asking the desktop opens a second connection to
// the display, and a bare X server resets itself, refusing new connections for a moment, whenever its
// last client leaves. Created at the size fitted before, so a return from fullscreen needs no resize.
void FitToDesktop(sf::RenderWindow& window, WindowMode& mode)
{
    mode.windowed = FitWindow(GetWindowRoom());
    if (window.getSize() != mode.windowed.size)
        window.setSize(mode.windowed.size);
    window.setPosition(mode.windowed.position);
}

// Creates the window anew, showing the whole logical picture: fullscreen at the desktop's own mode, or
// as a window that fits the desktop. Creating it again keeps the textures, which live in a context
// shared by every window.
void OpenWindow(sf::RenderWindow& window, WindowMode& mode)
{
    if (mode.fullscreen)
    {
        window.create(sf::VideoMode::getDesktopMode(), sf::String(windowTitle), sf::Style::Fullscreen,
                      MakeContextSettings());
    }
    else
    {
        window.create(sf::VideoMode(mode.windowed.size.x, mode.windowed.size.y, bitsPerPixel), sf::String(windowTitle),
                      sf::Style::Titlebar | sf::Style::Close, MakeContextSettings());
        FitToDesktop(window, mode);
    }
    window.setView(GetLogicalView());
    window.setVerticalSyncEnabled(true);
    mode.sinceCreation.restart();
    mode.focusToCheck = true;
    if (mode.frameRate.NeedsLimit())
        window.setFramerateLimit(FrameRateWatch::limitedFramesPerSecond);
}

void ToggleFullscreen(sf::RenderWindow& window, WindowMode& mode)
{
    // A new window starts on its default view; the screen's own view, the game's scroll, goes on.
    const sf::View shown = window.getView();
    mode.fullscreen = !mode.fullscreen;
    OpenWindow(window, mode);
    window.setView(shown);
    WriteLog(mode.fullscreen ? "main: fullscreen." : "main: windowed.");
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

// Creating a window loses and regains the focus in passing, and the window system takes a moment to
// settle. The screens hear of the focus only as it stands once settled: a switch neither pauses nor
// resumes a game, while a window left without the focus pauses it as any focus loss does.
void TellFocusChange(Application& application, const sf::RenderWindow& window, WindowMode& mode)
{
    if (!mode.focusToCheck || mode.sinceCreation.getElapsedTime() < focusSettleTime)
        return;
    mode.focusToCheck = false;
    const bool focused = window.hasFocus();
    if (focused == mode.focused)
        return;
    mode.focused = focused;
    sf::Event event;
    event.type = focused ? sf::Event::GainedFocus : sf::Event::LostFocus;
    application.ProcessEvent(event);
}

// Screens choose which part of the logical picture to show; the window decides where it appears.
void ShowPictureArea(sf::RenderWindow& window)
{
    sf::View view = window.getView();
    view.setViewport(GetPictureViewport(window.getSize()));
    window.setView(view);
}
} // namespace

bool ProcessEvent(Application& application, sf::RenderWindow& window, WindowMode& mode)
{
    WriteLog("main: ProcessEvent start.");
    if (IsStopRequested())
        return false;
    sf::Event event;
    while (window.pollEvent(event))
    {
        if (event.type == sf::Event::Closed)
            return false;
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
            return false;
        if (IsFullscreenKey(event))
            ToggleFullscreen(window, mode);
        else if (IsFocusEvent(event))
            mode.focusToCheck = true;
        else if (!IsAltKey(event))
            application.ProcessEvent(event);
    }
    TellFocusChange(application, window, mode);
    WriteLog("main: ProcessEvent end.");
    return true;
}

int RunGame()
{
    WriteLog("main: Main start.");
    SeedRandom(static_cast<unsigned int>(std::time(nullptr)));
    WriteLog("main: sf::ContextSettings created.");

    DisplayHold display = HoldDisplay();
    if (!display)
    {
        std::cerr << "kvelmora: cannot open the game window: no X display (DISPLAY unset or the X server "
                     "unreachable)\n";
        return EXIT_FAILURE;
    }
    WindowMode mode;
    sf::RenderWindow window;
    OpenWindow(window, mode);
    display.reset();
    WriteLog("main: sf::Window Created.");

    Application application(&window);
    WriteLog("main: application created.");

    sf::Clock frameClock;
    while (window.isOpen())
    {
        if (!ProcessEvent(application, window, mode))
        {
            window.close();
            break;
        }
        const float seconds = frameClock.restart().asSeconds();
        if (!mode.frameRate.NeedsLimit())
        {
            mode.frameRate.AddFrame(seconds);
            if (mode.frameRate.NeedsLimit())
                window.setFramerateLimit(FrameRateWatch::limitedFramesPerSecond);
        }
        application.Update(seconds);
        window.clear(clearColor);
        ShowPictureArea(window);
        application.Draw();
        window.display();
    }
    return application.SaveBestResults() ? EXIT_SUCCESS : EXIT_FAILURE;
}

int RunProgram(int, char*[])
{
    // First of all: a stop request during loading then ends the run once the frame loop starts.
    InstallStopHandlers();
    ResetLog();
    WriteLog("main: WinMain start.");
    const int status = RunGame();
    WriteLog("main: WinMain end.");
    return status;
}
