#include "player.h"

#include "game.h"

#include <SFML/Graphics/Texture.hpp>

namespace kvelmora
{

namespace
{
constexpr float frameDistance = 20.f;  // pixels run per frame of the run cycle
constexpr unsigned int frameCount = 5; // frames in one row of the sheet
constexpr unsigned int rowCount = 3;   // run, air and hit rows
} // namespace

Player::Player(Game& game, const sf::Texture& sheet)
    : m_frameTimer(frameDistance / game.GetSpeed())
    , m_frameHeight(sheet.getSize().y / rowCount)
    , m_frameWidth(sheet.getSize().x / frameCount)
    , m_game(game)
{
    m_sprite.setTexture(sheet);
    m_sprite.setTextureRect(sf::IntRect(0, 0, static_cast<int>(m_frameWidth), static_cast<int>(m_frameHeight)));
}

void Player::Jump()
{
    if (m_game.IsPaused() || m_game.GetState() == GameState::GameOver)
        return;
    if (m_game.GetState() == GameState::Waiting)
        m_game.Start();
    if (m_state != PlayerState::OnGround)
        return;
    m_state = PlayerState::InAir;
    SetAnimationRow(airRow);
    m_verticalVelocity += m_game.GetJumpVelocity();
    m_frameTimer = GetFramePeriod();
}

void Player::Update(float dt, float x)
{
    // The fall uses the velocity from before this frame's gravity.
    m_sprite.setPosition(x, m_sprite.getPosition().y + m_verticalVelocity * dt);
    if (m_state == PlayerState::InAir)
        FallAndLand(dt);
    else if (m_state == PlayerState::OnGround)
        AnimateRun(dt);
}

void Player::FallAndLand(float dt)
{
    m_verticalVelocity += m_game.GetGravity() * dt;
    const float standingY = m_game.GetGroundY() - m_sprite.getGlobalBounds().height;
    if (m_sprite.getPosition().y <= standingY)
        return;
    m_verticalVelocity = 0.f;
    m_sprite.setPosition(m_sprite.getPosition().x, standingY);
    m_state = PlayerState::OnGround;
    SetAnimationRow(runRow);
}

void Player::AnimateRun(float dt)
{
    m_frameTimer -= dt;
    if (m_frameTimer > 0.f)
        return;
    sf::IntRect frame = m_sprite.getTextureRect();
    const int lastLeft = static_cast<int>((frameCount - 1) * m_frameWidth);
    frame.left = frame.left >= lastLeft ? 0 : frame.left + static_cast<int>(m_frameWidth);
    m_sprite.setTextureRect(frame);
    // Set afresh rather than reduced by the overshoot.
    m_frameTimer = GetFramePeriod();
}

void Player::SetAnimationRow(unsigned int row)
{
    sf::IntRect frame = m_sprite.getTextureRect();
    frame.left = 0;
    frame.top = static_cast<int>(row * m_frameHeight);
    m_sprite.setTextureRect(frame);
}

void Player::Hit()
{
    m_state = PlayerState::Hit;
    SetAnimationRow(hitRow);
}

void Player::SetPosition(sf::Vector2f position)
{
    m_sprite.setPosition(position);
}

float Player::GetFramePeriod() const
{
    return frameDistance / m_game.GetSpeed();
}
} // namespace kvelmora
