#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

namespace sf
{
class Font;
class RenderTarget;
} // namespace sf

namespace kvelmora
{

// A short line over any screen for a few seconds, its bottom-right corner at a given point, on a
// white plate so it reads over a picture as well.
class CornerNotice final
{
public:
    static constexpr float shownSeconds = 4.f;

    void Show(const std::wstring& text, const sf::Font& font, sf::Vector2f bottomRight);
    void Update(float seconds);
    void Draw(sf::RenderTarget& target) const; // in screen coordinates

    bool IsShown() const { return m_secondsLeft > 0.f; }

private:
    sf::Text m_text;
    sf::RectangleShape m_plate;
    float m_secondsLeft = 0.f;
};
} // namespace kvelmora
