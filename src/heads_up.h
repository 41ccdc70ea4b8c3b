#pragma once

#include "assets.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>
#include <optional>
#include <string>

namespace sf
{
class RenderTarget;
class RenderStates;
} // namespace sf

namespace kvelmora
{
using Fonts = std::map<std::string, FontAsset>;

// At least five characters, zeros in front (after a minus sign); longer scores keep all their digits.
std::wstring FormatScore(int score);

// A text of the game screen: black, in a font of the asset store.
sf::Text MakeText(Fonts& fonts, const std::string& fontKey, unsigned int characterSize, const sf::String& string);
// The x that centres a text on a vertical line.
float CentredX(float centreLine, const sf::Text& text);

// What stands on the screen over the running world, in screen coordinates: the score, which blinks once
// the game is over, a slower speed beside it, the instructions until the first jump, and the band of a pause.
class HeadsUp final
{
public:
    HeadsUp(Fonts& fonts, int speedPercent);

    void RemoveInstructions();
    void ShowScore(int score);
    void Blink(float dt); // after the game, while not paused
    // `onScreen` carries screen coordinates into the scrolled world.
    void Draw(sf::RenderTarget& target, const sf::RenderStates& onScreen, bool paused) const;

private:
    // Tests and measurements look inside through this one seam (probe/screen_probe.h).
    friend struct ScreenProbe;

    void PlaceSpeed(sf::Text speed);

    sf::Text m_score;
    std::optional<sf::Text> m_speed; // only at a slower speed
    std::optional<sf::Text> m_instructions;
    float m_blinkTimer = 0.f; // seconds since the score text last blinked
    sf::RectangleShape m_pauseBand;
    sf::Text m_pauseCaption;
    sf::Text m_pauseHint;
};
} // namespace kvelmora
