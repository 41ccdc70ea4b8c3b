#include "main.h"

#include "application.h"
#include "constants.h"
#include "platform.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace
{
constexpr unsigned int windowWidth = 1366;
constexpr unsigned int windowHeight = 768;
constexpr unsigned int bitsPerPixel = 32;

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
    if (IsStopRequested())
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

    if (!CanOpenWindow())
    {
        std::cerr << "kvelmora: cannot open the game window: no X display (DISPLAY unset or the X server "
                     "unreachable)\n";
        return EXIT_FAILURE;
    }
    sf::RenderWindow window(sf::VideoMode(windowWidth, windowHeight, bitsPerPixel), sf::String(windowTitle),
                            sf::Style::Titlebar | sf::Style::Close, settings);
    window.setVerticalSyncEnabled(true);
    CentreOnDesktop(window);
    WriteLog("main: sf::Window Created.");

    Application application(&window);
    WriteLog("main: application created.");

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
