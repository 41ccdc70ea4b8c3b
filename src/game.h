#pragma once

#include "game_clock.h"
#include "game_over_view.h"
#include "heads_up.h"
#include "player.h"
#include "screen.h"
#include "world.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Window/Keyboard.hpp>

namespace sf
{
class RenderTarget;
}

namespace kvelmora
{

enum class GameState : int
{
    Waiting = 0,
    Running = 1,
    GameOver = 2,
};

// The screen on which the game is played: the world scrolls, the runner runs on it, the heads-up texts
// stand over it, and the game-over view follows a flower.
class Game final : public Screen
{
public:
    explicit Game(AppContext* context);
    ~Game() override;

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    // Plays the frame's game time (GameClock); the game-over buttons' grace counts the wall clock's.
    void Update(float dt) override;
    void Draw() override;
    int GetView() const override { return m_state == GameState::GameOver ? 1 : 0; } // play, then results
    void DrawTo(sf::RenderTarget& target) const; // the same picture into any target, such as an off-screen one

    // What the runner reads from its game.
    bool IsPaused() const { return m_pausedByPlayer || m_pausedByFocus; }
    GameState GetState() const { return m_state; }
    void Start(); // the first jump: Waiting becomes Running
    float GetSpeed() const { return m_world.GetSpeed(); }
    float GetJumpVelocity() const;
    float GetGravity() const;
    float GetGroundY() const { return m_world.GetGroundY(); }
    float GetViewLeft() const { return m_world.GetViewLeft(); }

private:
    // Tests and measurements look inside through this one seam (probe/screen_probe.h).
    friend struct ScreenProbe;

    // The world's builders and checks, called by Update in this order.
    void AdvanceTimeline();
    void GenerateSegmentFlowers(const LevelSegment& segment, float fromX, float width);
    void PlaceGarbage(float segmentStart);
    void CheckFlowerContact();
    void CollectGarbage();
    void ShowGameOver(int highlightedRow);

    void Advance(float dt);
    void PassScreenBoundaries();
    void EndGame();
    ScreenRequest ProcessGameOverEvent(const sf::Event& event);
    ScreenRequest ProcessGameOverKey(sf::Keyboard::Key key) const;
    void ProcessPlayingEvent(const sf::Event& event);
    void ProcessPlayingKey(sf::Keyboard::Key key);
    void TakeClick();
    void TogglePause();

    bool m_pausedByPlayer = false; // P, a pad's Start or a pad gone: lasts whatever the focus does
    bool m_pausedByFocus;          // ends only when the focus comes back
    GameState m_state = GameState::Waiting;
    World m_world;
    GameClock m_clock;
    Player m_player;
    sf::Sound m_pickupSound;
    sf::Sound m_gameOverSound;
    HeadsUp m_headsUp;
    GameOverView m_gameOverView;
};
} // namespace kvelmora
