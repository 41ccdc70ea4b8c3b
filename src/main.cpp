#include "application.h"
#include "event_router.h"
#include "file_locations.h"
#include "log.h"
#include "platform.h"
#include "random.h"
#include "settings.h"
#include "sound_switch.h"
#include "window_fit.h"
#include "window_mode.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace kvelmora
{
namespace
{
const sf::Color clearColor(255, 255, 255, 255); // also the bars beside a picture of another shape

// Drains the window's events into the application; false when the program is to end.
bool ProcessEvents(Application& application, sf::RenderWindow& window, WindowMode& mode, EventRouter& router)
{
    WriteLog("main: ProcessEvent start.");
    if (platform::IsStopRequested())
        return false;
    sf::Event event;
    while (window.pollEvent(event))
    {
        if (!router.Take(event))
            return false;
    }
    if (const std::optional<sf::Event> focus = mode.TakeFocusChange())
        application.ProcessEvent(*focus);
    WriteLog("main: ProcessEvent end.");
    return true;
}

// Screens choose which part of the logical picture to show; the window decides where it appears.
void ShowPictureArea(sf::RenderWindow& window)
{
    sf::View view = window.getView();
    view.setViewport(GetPictureViewport(window.getSize()));
    window.setView(view);
}

void RunFrames(Application& application, sf::RenderWindow& window, WindowMode& mode, SoundSwitch& sound)
{
    sf::Clock frameClock;
    EventRouter router(application, mode, sound);
    while (window.isOpen())
    {
        if (!ProcessEvents(application, window, mode, router))
        {
            window.close();
            break;
        }
        const float seconds = frameClock.restart().asSeconds();
        mode.AddFrame(seconds);
        application.Update(seconds);
        window.clear(clearColor);
        ShowPictureArea(window);
        application.Draw();
        application.DrawCorner(sound.IsOn());
        window.display();
    }
}

// The game proper: window, application and frame loop. Returns the process exit status.
int RunGame()
{
    WriteLog("main: Main start.");
    SeedRandom(static_cast<unsigned int>(std::time(nullptr)));
    // The start's log keeps this step in its place, though the settings are now made with each
    // window (WindowMode), which the fullscreen keys create anew.
    WriteLog("main: sf::ContextSettings created.");

    platform::DisplayHold display = platform::HoldDisplay();
    if (!display)
    {
        std::cerr << "kvelmora: cannot open the game window: no X display (DISPLAY unset or the X server "
                     "unreachable)\n";
        return EXIT_FAILURE;
    }
    sf::RenderWindow window;
    WindowMode mode(window, platform::GetWindowHost());
    mode.Open();
    display.reset();
    WriteLog("main: sf::Window Created.");

    Application application(window);
    WriteLog("main: application created.");
    SoundSwitch sound(GetFileLocations().bestResults / settingsFileName);
    RunFrames(application, window, mode, sound);
    return application.SaveBestResults() ? EXIT_SUCCESS : EXIT_FAILURE;
}
} // namespace

int RunProgram(int, char*[])
{
    // First of all: a stop request during loading then ends the run once the frame loop starts.
    platform::InstallStopHandlers();
    ResetLog();
    WriteLog("main: WinMain start.");
    const int status = RunGame();
    WriteLog("main: WinMain end.");
    return status;
}
} // namespace kvelmora
