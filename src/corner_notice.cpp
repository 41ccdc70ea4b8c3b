#include "corner_notice.h"

#include "constants.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

namespace kvelmora
{

namespace
{
constexpr unsigned int characterSize = 18;
constexpr float padding = 8.f;                  // pixels between the text and the plate's edge
const sf::Color plateColor(255, 255, 255, 230); // nearly opaque white
const sf::Color plateEdgeColor(140, 140, 140, 255);
constexpr float plateEdge = 1.f;             // pixels
constexpr float longestCountedFrame = 0.25f; // seconds: a slow write never hides its own notice
} // namespace

void CornerNotice::Show(const std::wstring& text, const sf::Font& font, sf::Vector2f bottomRight)
{
    m_text = sf::Text(sf::String(text), font, characterSize);
    m_text.setFillColor(textColor);
    // Local bounds start below and right of the text's origin; the plate hugs the glyphs themselves.
    const sf::FloatRect glyphs = m_text.getLocalBounds();
    const sf::Vector2f plateSize(glyphs.width + 2 * padding, glyphs.height + 2 * padding);
    m_plate.setSize(plateSize);
    m_plate.setPosition(bottomRight - plateSize);
    m_plate.setFillColor(plateColor);
    m_plate.setOutlineColor(plateEdgeColor);
    m_plate.setOutlineThickness(plateEdge);
    m_text.setPosition(m_plate.getPosition() + sf::Vector2f(padding - glyphs.left, padding - glyphs.top));
    m_secondsLeft = shownSeconds;
}

void CornerNotice::Update(float seconds)
{
    m_secondsLeft -= std::min(seconds, longestCountedFrame);
}

void CornerNotice::Draw(sf::RenderTarget& target) const
{
    if (!IsShown())
        return;
    target.draw(m_plate);
    target.draw(m_text);
}
} // namespace kvelmora
