#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf
{
class Texture;
}

namespace kvelmora
{
class Game;

enum class PlayerState : unsigned int
{
    OnGround = 0,
    InAir = 1,
    Hit = 2, // touched a flower: final
};

// The runner. It runs right at the scrolling speed, so it keeps its place on the screen,
// and jumps on Up; its first jump starts the game.
class Player final
{
public:
    static constexpr unsigned int runRow = 0;
    static constexpr unsigned int airRow = 1;
    static constexpr unsigned int hitRow = 2;

    Player(Game& game, const sf::Texture& sheet);

    void Jump();
    // Runs to `x`, where the scrolled view has taken its place on the screen, and falls or runs
    // its animation over `dt` seconds.
    void Update(float dt, float x);
    void Hit();
    void SetPosition(sf::Vector2f position);

    const sf::Sprite& GetSprite() const { return m_sprite; }
    sf::FloatRect GetBounds() const { return m_sprite.getGlobalBounds(); }

private:
    // Tests and measurements look inside through this one seam (probe/screen_probe.h).
    friend struct ScreenProbe;

    void SetAnimationRow(unsigned int row);
    void FallAndLand(float dt);
    void AnimateRun(float dt);
    float GetFramePeriod() const; // seconds per run frame at the current speed

    sf::Sprite m_sprite;
    float m_frameTimer; // seconds left until the next run frame
    PlayerState m_state = PlayerState::OnGround;
    unsigned int m_frameHeight;
    unsigned int m_frameWidth;
    float m_verticalVelocity = 0.f; // pixels per second, negative is up; the view sets the pace across
    Game& m_game;
};
} // namespace kvelmora
