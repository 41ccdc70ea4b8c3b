// Plays one seeded game with the scripted player for ten hours of game time in 1/60 s frames and
// reports, at a few minutes of play, what a frame costs (the game's update and its drawing into an
// off-screen target, in CPU time of the playing thread), how many sprites the game holds and where
// the runner and the score stand on the screen. A game that neither slows down nor drifts shows the
// same row at every minute.
#include "game_autopilot.h"

#include "application.h"
#include "game.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <vector>

namespace
{
constexpr float frameTime = 1.f / 60.f; // seconds of game time per frame
constexpr long framesPerMinute = 60 * 60;
constexpr int sampleMinutes[] = {1, 30, 60, 180, 600};
constexpr int blocks = 10;       // measured at each sample; the cheapest counts, as noise only adds
constexpr int blockFrames = 120; // frames per block
constexpr unsigned int seed = 2024;
constexpr double costGoal = 1.1;      // the last sample's frame against the first's
constexpr float positionGoal = 0.01f; // pixels that a screen position may move

// Microseconds of CPU time that this thread has used; the graphics driver's own threads do not count.
double ThreadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

struct Sample
{
    int minute;
    double updateMicroseconds; // per frame
    double drawMicroseconds;   // per frame
    std::size_t sprites;       // flowers, items and clouds held
    float runnerX;             // on the screen: world x minus the view's left edge
    float scoreX;
};

struct Cost
{
    double update;
    double draw;
};

// Frames of update and drawing, timed separately; returns the cost per frame.
Cost PlayBlock(Game& game, Autopilot& autopilot, sf::RenderTexture& target)
{
    Cost cost{0.0, 0.0};
    for (int frame = 0; frame < blockFrames; ++frame)
    {
        autopilot.PressKeys();
        const double start = ThreadMicroseconds();
        game.Update(frameTime);
        const double updated = ThreadMicroseconds();
        target.clear(sf::Color::White);
        const double cleared = ThreadMicroseconds();
        game.DrawTo(target);
        const double drawn = ThreadMicroseconds();
        target.display();
        cost.update += updated - start;
        cost.draw += drawn - cleared;
    }
    return {cost.update / blockFrames, cost.draw / blockFrames};
}

Sample Measure(int minute, Game& game, Autopilot& autopilot, sf::RenderTexture& target)
{
    const float viewLeft = game.GetViewLeft();
    Sample sample{minute,
                  0.0,
                  0.0,
                  game.GetFlowers().size() + game.GetGarbage().size() + game.GetClouds().size(),
                  game.GetPlayer().GetBounds().left - viewLeft,
                  game.GetTexts().at(scoreTextKey).getPosition().x - viewLeft};
    double cheapest = 0.0;
    for (int block = 0; block < blocks; ++block)
    {
        const Cost cost = PlayBlock(game, autopilot, target);
        if (block > 0 && cost.update + cost.draw >= cheapest)
            continue;
        cheapest = cost.update + cost.draw;
        sample.updateMicroseconds = cost.update;
        sample.drawMicroseconds = cost.draw;
    }
    return sample;
}

void PrintTable(const std::vector<Sample>& samples)
{
    std::cout << "minute  update_us  draw_us  frame_us  sprites  runner_screen_x  score_screen_x\n" << std::fixed;
    for (const Sample& s : samples)
        std::cout << std::setw(6) << s.minute << std::setprecision(2) << std::setw(11) << s.updateMicroseconds
                  << std::setw(9) << s.drawMicroseconds << std::setw(10) << s.updateMicroseconds + s.drawMicroseconds
                  << std::setw(9) << s.sprites << std::setprecision(4) << std::setw(17) << s.runnerX << std::setw(16)
                  << s.scoreX << '\n';
}

// Prints how the last sample compares with the first; false when a goal is missed.
bool PrintVerdict(const std::vector<Sample>& samples)
{
    const Sample& first = samples.front();
    const Sample& last = samples.back();
    const auto frame = [](const Sample& s) {
        return s.updateMicroseconds + s.drawMicroseconds;
    };
    const double costRatio = frame(last) / frame(first);
    const auto [fewest, most] = std::minmax_element(
        samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.sprites < b.sprites; });
    float moved = 0.f;
    for (const Sample& s : samples)
        moved = std::max({moved, std::abs(s.runnerX - first.runnerX), std::abs(s.scoreX - first.scoreX)});
    std::cout << std::setprecision(2) << "frame, minute " << last.minute << " / minute " << first.minute << ": "
              << costRatio << " (goal " << costGoal << ")\n"
              << "logic, minute " << last.minute << " / minute " << first.minute << ": "
              << last.updateMicroseconds / first.updateMicroseconds << '\n'
              << "sprites held: " << fewest->sprites << " to " << most->sprites << '\n'
              << std::setprecision(4) << "largest screen move: " << moved << " px (goal " << positionGoal << ")\n";
    return costRatio <= costGoal && moved <= positionGoal;
}
} // namespace

int main()
{
    sf::RenderWindow window(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close);
    AppContext context(&window);
    LoadAllAssets(context, GetAssetDirectory());
    context.highScores.assign(bestResultCount, 0);
    sf::RenderTexture target;
    if (!target.create(window.getSize().x, window.getSize().y))
    {
        std::cerr << "no off-screen target\n";
        return EXIT_FAILURE;
    }

    SeedRandom(seed);
    Game game(&context);
    Autopilot autopilot(game);
    std::vector<Sample> samples;
    long frame = 0;
    for (const int minute : sampleMinutes)
    {
        for (; frame < minute * framesPerMinute && game.GetState() != GameState::GameOver; ++frame)
            autopilot.Step(frameTime);
        samples.push_back(Measure(minute, game, autopilot, target));
        frame += blocks * blockFrames;
        if (game.GetState() == GameState::GameOver)
        {
            std::cerr << "the scripted player touched a flower before frame " << frame << '\n';
            return EXIT_FAILURE;
        }
    }
    PrintTable(samples);
    return PrintVerdict(samples) ? EXIT_SUCCESS : EXIT_FAILURE;
}
