#include "main.h"

#include "application.h"
#include "constants.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/VideoMode.hpp>

// Xlib names a type Screen, as the game does; only this file sees Xlib, under another name.
#define Screen XlibScreen
#include <X11/Xlib.h>
#undef Screen

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>

namespace
{
constexpr unsigned int windowWidth = 1366;
constexpr unsigned int windowHeight = 768;
constexpr unsigned int bitsPerPixel = 32;
constexpr int displayAttempts = 5;
constexpr std::chrono::milliseconds displayRetryPause(40);

volatile std::sig_atomic_t stopRequested = 0; // set by SIGTERM, SIGINT or SIGHUP

void RequestStop(int)
{
    stopRequested = 1;
}

// A logout, kill or Ctrl+C ends the run like the close button, so the best results are saved.
void InstallStopHandlers()
{
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

using DisplayConnection = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

// SFML aborts the process when it cannot reach the X server, so ask first. An X server may
// drop a connection that comes right after another client has left, so a few tries tell that
// apart from no server at all; the connection stays open until the window has its own.
DisplayConnection ConnectToDisplay()
{
    DisplayConnection display(XOpenDisplay(nullptr), &XCloseDisplay);
    for (int attempt = 1; display == nullptr && attempt < displayAttempts; ++attempt)
    {
        std::this_thread::sleep_for(displayRetryPause);
        display.reset(XOpenDisplay(nullptr));
    }
    return display;
}

// SFML places a new window from the desktop's width only, pushing it partly off screen.
void CentreOnDesktop(sf::RenderWindow& window)
{
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const sf::Vector2u size = window.getSize();
    window.setPosition({(static_cast<int>(desktop.width) - static_cast<int>(size.x)) / 2,
                        (static_cast<int>(desktop.height) - static_cast<int>(size.y)) / 2});
}
} // namespace

bool ProcessEvent(Application& application, sf::RenderWindow& window)
{
    WriteLog("main: ProcessEvent start.");
    if (stopRequested != 0)
        return false;
    sf::Event event;
    while (window.pollEvent(event))
    {
        if (event.type == sf::Event::Closed)
            return false;
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
            return false;
        application.ProcessEvent(event);
    }
    WriteLog("main: ProcessEvent end.");
    return true;
}

int RunGame()
{
    WriteLog("main: Main start.");
    SeedRandom(static_cast<unsigned int>(std::time(nullptr)));

    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    WriteLog("main: sf::ContextSettings created.");

    DisplayConnection display = ConnectToDisplay();
    if (display == nullptr)
    {
        std::cerr << "kvelmora: cannot open the game window: no X display (DISPLAY unset or the X server "
                     "unreachable)\n";
        return EXIT_FAILURE;
    }
    sf::RenderWindow window(sf::VideoMode(windowWidth, windowHeight, bitsPerPixel), sf::String(windowTitle),
                            sf::Style::Titlebar | sf::Style::Close, settings);
    window.setVerticalSyncEnabled(true);
    CentreOnDesktop(window);
    display.reset();
    WriteLog("main: sf::Window Created.");

    Application application(&window);
    WriteLog("main: application created.");
    InstallStopHandlers();

    sf::Clock frameClock;
    while (window.isOpen())
    {
        if (!ProcessEvent(application, window))
        {
            window.close();
            break;
        }
        application.Update(frameClock.restart().asSeconds());
        window.clear(sf::Color(255, 255, 255, 255));
        application.Draw();
        window.display();
    }
    return EXIT_SUCCESS;
}

int main()
{
    ResetLog();
    WriteLog("main: WinMain start.");
    const int status = RunGame();
    WriteLog("main: WinMain end.");
    return status;
}
