// Frame costs of a running game against bare frames of the same window, in one run: early in a
// game and after thirty minutes of the scripted player's play.
#include "game_autopilot.h"

#include "application.h"
#include "game.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>

#include <cstdlib>
#include <iostream>

namespace
{
constexpr float frameTime = 1.f / 60.f; // seconds of game time per frame
constexpr int framesPerMinute = 60 * 60;
constexpr unsigned int seed = 2024;

// Plays on without drawing, as fast as the game logic allows.
bool PlayUntil(Game& game, Autopilot& autopilot, int& frame, int lastFrame)
{
    for (; frame < lastFrame; ++frame)
    {
        autopilot.Step(frameTime);
        if (game.GetState() != GameState::Running)
            return false;
    }
    return true;
}

// Microseconds per frame that only clears and displays, as bare_window does.
double MeasureBareFrames(sf::RenderWindow& window, int count)
{
    sf::Clock clock;
    for (int i = 0; i < count; ++i)
    {
        window.clear(sf::Color::White);
        window.display();
    }
    return clock.getElapsedTime().asMicroseconds() / static_cast<double>(count);
}

// Microseconds per whole frame: update, clear, draw and display.
double MeasureFrames(sf::RenderWindow& window, Game& game, Autopilot& autopilot, int& frame, int count)
{
    sf::Clock clock;
    for (int i = 0; i < count; ++i, ++frame)
    {
        autopilot.Step(frameTime);
        window.clear(sf::Color::White);
        game.Draw();
        window.display();
    }
    return clock.getElapsedTime().asMicroseconds() / static_cast<double>(count);
}
} // namespace

int main(int argc, char* argv[])
{
    const int measuredFrames = argc > 1 ? std::atoi(argv[1]) : 600;
    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    sf::RenderWindow window(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close,
                            settings);
    window.setVerticalSyncEnabled(true);
    AppContext context(&window);
    LoadAllAssets(context, GetAssetDirectory());
    context.highScores.assign(bestResultCount, 0);

    SeedRandom(seed);
    Game game(&context);
    Autopilot autopilot(game);
    int frame = 0;
    if (!PlayUntil(game, autopilot, frame, framesPerMinute))
        return EXIT_FAILURE;
    std::cout << "bare_frame_us " << MeasureBareFrames(window, measuredFrames) << '\n';
    std::cout << "minute_1_frame_us " << MeasureFrames(window, game, autopilot, frame, measuredFrames) << '\n';
    if (!PlayUntil(game, autopilot, frame, 30 * framesPerMinute))
    {
        std::cerr << "the scripted player touched a flower\n";
        return EXIT_FAILURE;
    }
    std::cout << "minute_30_frame_us " << MeasureFrames(window, game, autopilot, frame, measuredFrames) << '\n';
    std::cout << "bare_frame_us " << MeasureBareFrames(window, measuredFrames) << '\n';
    std::cout << "flowers " << game.GetFlowers().size() << " clouds " << game.GetClouds().size() << " score "
              << game.GetScore() << '\n';
}
