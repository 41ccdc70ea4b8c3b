// Up to ten hours of scripted play in 1/60 s frames. A game is played to each of the minutes 1, 30,
// 60, 180 and 600, one after the other from one seed; then the five are measured in alternating
// blocks, so that a change of the machine's speed falls on all alike. For each: the median frame's
// cost (the game's update and its drawing into an off-screen target, in CPU time of the playing
// thread), the sprites it holds and draws, and where the runner and the score stand on the screen.
// A game that neither slows down nor drifts shows about the same row at every minute.
#include "game_autopilot.h"
#include "thread_time.h"

#include "screen.h"
#include "assets.h"
#include "file_locations.h"
#include "game.h"
#include "platform.h"
#include "random.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <memory>
#include <vector>

namespace kvelmora
{

namespace
{
constexpr float frameTime = 1.f / 60.f; // seconds of game time per frame
constexpr long framesPerMinute = 60 * 60;
constexpr int sampleMinutes[] = {1, 30, 60, 180, 600};
constexpr int blocks = 8;        // per game, in turn with the other games
constexpr int blockFrames = 450; // frames per block: a minute of play per game in all
constexpr unsigned int seed = 2024;
constexpr double costGoal = 1.1;      // the last minute's cost against an earlier one's
constexpr float positionGoal = 0.01f; // pixels that a screen position may move

std::size_t CountInView(const std::vector<sf::Sprite>& sprites, float left, float right)
{
    return static_cast<std::size_t>(std::count_if(sprites.begin(), sprites.end(), [=](const sf::Sprite& sprite) {
        const sf::FloatRect bounds = sprite.getGlobalBounds();
        return bounds.left + bounds.width > left && bounds.left < right;
    }));
}

// Per-frame measurements of one game.
struct Frames
{
    std::vector<double> update; // microseconds
    std::vector<double> draw;   // microseconds
    std::vector<double> frame;  // microseconds, update and draw
    double drawn = 0.0;         // flowers, items and clouds in view, summed over the frames
};

// The middle value: robust against frames that another process's load has slowed down.
double Median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A game played to its minute, then measured.
struct Run
{
    Run(AppContext& context, int minute)
        : minute(minute)
        , game(&context)
        , autopilot(game)
    {
    }

    int minute;
    Game game;
    Autopilot autopilot;
    Frames frames;
    std::size_t row = 0;     // of the level timeline, when the measurement began
    std::size_t sprites = 0; // flowers, items and clouds held when the measurement began
    float runnerX = 0.f;     // on the screen: world x minus the view's left edge
    float scoreX = 0.f;
};

bool PlayTo(Run& run)
{
    for (long frame = 0; frame < run.minute * framesPerMinute; ++frame)
    {
        run.autopilot.Step(frameTime);
        if (run.game.GetState() == GameState::GameOver)
            return false;
    }
    const Game& game = run.game;
    const float viewLeft = game.GetViewLeft();
    const World& world = ScreenProbe::WorldOf(game);
    run.row = ScreenProbe::SegmentIndex(world);
    run.sprites =
        ScreenProbe::Flowers(world).size() + ScreenProbe::Garbage(world).size() + ScreenProbe::Clouds(world).size();
    run.runnerX = ScreenProbe::Runner(game).GetBounds().left - viewLeft;
    run.scoreX = ScreenProbe::ScoreText(game).getPosition().x; // drawn in screen coordinates
    return true;
}

void PlayBlock(Run& run, sf::RenderTexture& target)
{
    Game& game = run.game;
    Frames& frames = run.frames;
    for (int frame = 0; frame < blockFrames; ++frame)
    {
        run.autopilot.PressKeys();
        const double start = ThreadMicroseconds();
        game.Update(frameTime);
        const double updated = ThreadMicroseconds();
        target.clear(sf::Color::White);
        const double cleared = ThreadMicroseconds();
        game.DrawTo(target);
        const double drawn = ThreadMicroseconds();
        target.display();
        frames.update.push_back(updated - start);
        frames.draw.push_back(drawn - cleared);
        frames.frame.push_back(updated - start + drawn - cleared);
        const float left = game.GetViewLeft();
        const float right = left + static_cast<float>(target.getSize().x);
        const World& world = ScreenProbe::WorldOf(game);
        frames.drawn += static_cast<double>(CountInView(ScreenProbe::Flowers(world), left, right) +
                                            CountInView(ScreenProbe::Garbage(world), left, right) +
                                            CountInView(ScreenProbe::Clouds(world), left, right));
    }
}

void Measure(std::vector<std::unique_ptr<Run>>& runs, sf::RenderTexture& target)
{
    for (int block = 0; block < blocks; ++block)
        for (const auto& run : runs)
            PlayBlock(*run, target);
}

void PrintTable(const std::vector<std::unique_ptr<Run>>& runs)
{
    std::cout << "minute  row  update_us  draw_us  frame_us  drawn  sprites  runner_screen_x  score_screen_x\n"
              << std::fixed;
    for (const auto& run : runs)
    {
        const Frames& frames = run->frames;
        std::cout << std::setprecision(2) << std::setw(6) << run->minute << std::setw(5) << run->row << std::setw(11)
                  << Median(frames.update) << std::setw(9) << Median(frames.draw) << std::setw(10)
                  << Median(frames.frame) << std::setprecision(1) << std::setw(7)
                  << frames.drawn / static_cast<double>(frames.frame.size()) << std::setw(9) << run->sprites
                  << std::setprecision(4) << std::setw(17) << run->runnerX << std::setw(16) << run->scoreX << '\n';
    }
}

// Prints how the last minute compares with the first; false when a goal is missed.
bool PrintVerdict(const std::vector<std::unique_ptr<Run>>& runs)
{
    const Run& first = *runs.front();
    const Run& last = *runs.back();
    const Run& sameRow = *runs[1]; // minute 30 plays the top row of the timeline, as every later minute
    const double frameRatio = Median(last.frames.frame) / Median(first.frames.frame);
    const double sameRowRatio = Median(last.frames.frame) / Median(sameRow.frames.frame);
    const double logicRatio = Median(last.frames.update) / Median(first.frames.update);
    std::size_t fewest = first.sprites;
    std::size_t most = first.sprites;
    float moved = 0.f;
    for (const auto& run : runs)
    {
        fewest = std::min(fewest, run->sprites);
        most = std::max(most, run->sprites);
        moved = std::max({moved, std::abs(run->runnerX - first.runnerX), std::abs(run->scoreX - first.scoreX)});
    }
    // Drawing costs by the sprites in view, and an earlier row shows fewer: the frame is compared
    // within the top row, the logic with the first minute.
    std::cout << std::setprecision(2) << "frame, minute " << last.minute << " / minute " << first.minute << ": "
              << frameRatio << " (row " << last.row << " against row " << first.row << ")\n"
              << "frame, minute " << last.minute << " / minute " << sameRow.minute << ": " << sameRowRatio << " (goal "
              << costGoal << ")\n"
              << "logic, minute " << last.minute << " / minute " << first.minute << ": " << logicRatio << " (goal "
              << costGoal << ")\n"
              << "sprites held: " << fewest << " to " << most << '\n'
              << std::setprecision(4) << "largest screen move: " << moved << " px (goal " << positionGoal << ")\n";
    return sameRowRatio <= costGoal && logicRatio <= costGoal && moved <= positionGoal;
}
} // namespace

int RunProgram(int, char*[])
{
    sf::RenderWindow window(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close);
    AppContext context(window);
    LoadAllAssets(context.GetAssetMaps(), GetAssetDirectory());
    sf::RenderTexture target;
    if (!target.create(window.getSize().x, window.getSize().y))
    {
        std::cerr << "no off-screen target\n";
        return EXIT_FAILURE;
    }

    SeedRandom(seed);
    std::vector<std::unique_ptr<Run>> runs;
    for (const int minute : sampleMinutes)
    {
        runs.push_back(std::make_unique<Run>(context, minute));
        if (!PlayTo(*runs.back()))
        {
            std::cerr << "the scripted player touched a flower before minute " << minute << '\n';
            return EXIT_FAILURE;
        }
    }
    Measure(runs, target);
    for (const auto& run : runs)
    {
        if (run->game.GetState() == GameState::GameOver)
        {
            std::cerr << "the scripted player touched a flower while measured after minute " << run->minute << '\n';
            return EXIT_FAILURE;
        }
    }
    PrintTable(runs);
    return PrintVerdict(runs) ? EXIT_SUCCESS : EXIT_FAILURE;
}
} // namespace kvelmora
