// Frame costs of a running game against bare frames of the same window, in one run: early in a
// game and after thirty minutes of the scripted player's play, whole frames and the logic alone.
#include "game_autopilot.h"
#include "thread_time.h"

#include "screen.h"
#include "assets.h"
#include "file_locations.h"
#include "game.h"
#include "platform.h"
#include "random.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>

#include <cstdlib>
#include <iostream>

namespace kvelmora
{

namespace
{
constexpr float frameTime = 1.f / 60.f; // seconds of game time per frame
constexpr int framesPerMinute = 60 * 60;
constexpr unsigned int seed = 2024;
constexpr int blockFrames = 30; // frames of each kind in turn

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

// Microseconds spent on `count` frames that only clear and display, as bare_window does.
double BareFrames(sf::RenderWindow& window, int count)
{
    const sf::Clock clock;
    for (int i = 0; i < count; ++i)
    {
        window.clear(sf::Color::White);
        window.display();
    }
    return static_cast<double>(clock.getElapsedTime().asMicroseconds());
}

struct GameCost
{
    double frames = 0.0; // microseconds of whole frames: update, clear, draw and display
    double logic = 0.0;  // microseconds of CPU time in the game's update alone
};

// Adds the costs of `count` frames of a game.
void GameFrames(sf::RenderWindow& window, Game& game, Autopilot& autopilot, int count, GameCost& cost)
{
    const sf::Clock clock;
    for (int i = 0; i < count; ++i)
    {
        autopilot.PressKeys();
        const double start = ThreadMicroseconds();
        game.Update(frameTime);
        cost.logic += ThreadMicroseconds() - start;
        window.clear(sf::Color::White);
        game.Draw();
        window.display();
    }
    cost.frames += static_cast<double>(clock.getElapsedTime().asMicroseconds());
}
} // namespace

// Two games, one a minute in and one thirty minutes in, are measured in alternating blocks
// together with bare frames, so that a drift of the machine's speed falls on all three alike.
int RunProgram(int argc, char* argv[])
{
    const int measuredFrames = argc > 1 ? std::atoi(argv[1]) : 600;
    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    sf::RenderWindow window(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close, settings);
    window.setVerticalSyncEnabled(true);
    AppContext context(window);
    LoadAllAssets(context.GetAssetMaps(), GetAssetDirectory());

    SeedRandom(seed);
    Game early(&context);
    Autopilot earlyPlayer(early);
    int earlyFrame = 0;
    Game late(&context);
    Autopilot latePlayer(late);
    int lateFrame = 0;
    if (!PlayUntil(early, earlyPlayer, earlyFrame, framesPerMinute) ||
        !PlayUntil(late, latePlayer, lateFrame, 30 * framesPerMinute))
    {
        std::cerr << "the scripted player touched a flower\n";
        return EXIT_FAILURE;
    }

    double bare = 0.0;
    GameCost minute1;
    GameCost minute30;
    for (int done = 0; done < measuredFrames; done += blockFrames)
    {
        bare += BareFrames(window, blockFrames);
        GameFrames(window, early, earlyPlayer, blockFrames, minute1);
        GameFrames(window, late, latePlayer, blockFrames, minute30);
    }
    const double frames = static_cast<double>((measuredFrames + blockFrames - 1) / blockFrames * blockFrames);
    std::cout << "bare_frame_us " << bare / frames << '\n';
    std::cout << "minute_1_frame_us " << minute1.frames / frames << '\n';
    std::cout << "minute_30_frame_us " << minute30.frames / frames << '\n';
    std::cout << "minute_1_logic_us " << minute1.logic / frames << '\n';
    std::cout << "minute_30_logic_us " << minute30.logic / frames << '\n';
    const World& world = ScreenProbe::WorldOf(late);
    std::cout << "flowers " << ScreenProbe::Flowers(world).size() << " clouds " << ScreenProbe::Clouds(world).size()
              << " score " << world.GetScore() << '\n';
    return EXIT_SUCCESS;
}
} // namespace kvelmora
