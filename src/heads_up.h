#pragma once

#include "assets.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>
#include <optional>
#include <string>

namespace sf
{
class RenderTarget;
class RenderStates;
class Texture;
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

// What the game shows over its world besides the score: the pause control while it is played, the band
// of a pause as well while it is paused, and neither once it is over.
enum class PlayView
{
    Playing,
    Paused,
    Over,
};

// What stands on the screen over the running world, in screen coordinates: the score, which blinks once
// the game is over, a slower speed beside it, the instructions until the first jump, the pause control
// a finger can tap, and the band of a pause.
class HeadsUp final
{
public:
    HeadsUp(Fonts& fonts, int speedPercent, const sf::Texture& pauseIcon, const sf::Texture& resumeIcon);

    void RemoveInstructions();
    void ShowScore(int score);
    void Blink(float dt);                               // after the game, while not paused
    void SpeakOfTapping();                              // the pause band's hint, once the player has used touch
    bool IsOnPauseControl(sf::Vector2f position) const; // in screen coordinates
    // `onScreen` carries screen coordinates into the scrolled world.
    void Draw(sf::RenderTarget& target, const sf::RenderStates& onScreen, PlayView view) const;

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
    bool m_speaksOfTapping = false;
    sf::Sprite m_pauseControl;
    sf::Sprite m_resumeControl; // in the pause control's place while paused
};
} // namespace kvelmora
