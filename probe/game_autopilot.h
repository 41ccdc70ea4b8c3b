#pragma once

#include "game.h"
#include "screen_probe.h"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <vector>

namespace kvelmora
{

// Plays a game like a careful player: presses Up to start, then jumps a moment before every
// flower cluster. Shared by the scripted-player tests and the speed measurements.
class Autopilot
{
public:
    explicit Autopilot(Game& game)
        : m_game(game)
    {
    }

    // One frame: the player's keys, then the game's update.
    void Step(float dt)
    {
        PressKeys();
        m_game.Update(dt);
    }

    // Up to start, and whenever a cluster is close; the measurements time the update apart from this.
    void PressKeys()
    {
        if (m_jumping && (m_game.GetState() == GameState::Waiting || IsClusterClose()))
            PressUp();
    }

    void StopJumping() { m_jumping = false; }

private:
    // A jump keeps the runner above the tallest flower for about 0.65 seconds. Jumping as early as
    // still clears the cluster's far end lands the runner soon after it, ready for the next one.
    static constexpr float clearTime = 0.6f; // seconds from take-off to passing the cluster's far end
    static constexpr float clearance = 5.f;  // pixels past the cluster's far end

    bool IsClusterClose() const
    {
        if (ScreenProbe::RunnerState(m_game) != PlayerState::OnGround)
            return false;
        const sf::FloatRect runner = ScreenProbe::Runner(m_game).GetBounds();
        const std::vector<sf::Sprite>& flowers = ScreenProbe::Flowers(ScreenProbe::WorldOf(m_game));
        // Flowers stand left to right, so the first one not yet passed is found by halving.
        const auto ahead = std::partition_point(flowers.begin(), flowers.end(), [&runner](const sf::Sprite& flower) {
            const sf::FloatRect bounds = flower.getGlobalBounds();
            return bounds.left + bounds.width <= runner.left;
        });
        if (ahead == flowers.end())
            return false;
        const sf::FloatRect last =
            flowers[FindClusterEnd(flowers, static_cast<std::size_t>(ahead - flowers.begin()))].getGlobalBounds();
        return runner.left + clearTime * m_game.GetSpeed() >= last.left + last.width + clearance;
    }

    void PressUp()
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {sf::Keyboard::Up, false, false, false, false};
        m_game.ProcessEvent(event);
    }

    Game& m_game;
    bool m_jumping = true;
};
} // namespace kvelmora
