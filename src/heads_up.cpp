#include "heads_up.h"

#include "constants.h"
#include "controls.h"
#include "settings.h"
#include "speed_choice.h"
#include "window_fit.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

namespace kvelmora
{

namespace
{
constexpr int scoreDigits = 5;
constexpr float firstBlinkInterval = 0.75f;  // seconds the score stays black
constexpr float secondBlinkInterval = 0.45f; // seconds the score stays white
constexpr unsigned int scoreCharacterSize = 35;
constexpr unsigned int instructionsCharacterSize = 22;
constexpr unsigned int speedCharacterSize = 20; // smaller than the score it stands by
constexpr float speedGap = 12.f;                // pixels between the speed and the score
constexpr float scoreRightGap = 0.11f;          // of the window width, right of the single starting digit
constexpr float scoreTop = 0.06f;               // of the window height
constexpr float instructionsTop = 0.18f;
const sf::Color pauseBandColor(255, 255, 255, 210);     // translucent white: the frozen world shows through
const sf::Color pauseBandEdgeColor(140, 140, 140, 255); // the band's edges show over the white sky too
constexpr float pauseBandEdge = 1.f;                    // pixels
constexpr float pauseBandTop = 0.38f;                   // of the window height
constexpr float pauseBandHeight = 0.22f;                // of the window height
constexpr float pauseCaptionTop = 0.40f;                // of the window height
constexpr float pauseHintTop = 0.50f;                   // of the window height
constexpr unsigned int pauseCaptionCharacterSize = 40;
constexpr unsigned int pauseHintCharacterSize = 22;
constexpr float pauseControlMargin = 16.f; // pixels from the picture's top-left corner, as the speaker's

// Shared by every game of a run: a new game carries on the previous game's rhythm.
float blinkInterval = firstBlinkInterval;
} // namespace

std::wstring FormatScore(int score)
{
    // The zeros go after a minus sign: -1 reads -0001.
    std::wstring text = std::to_wstring(score);
    const std::size_t signLength = score < 0 ? 1 : 0;
    if (text.size() < scoreDigits)
        text.insert(signLength, scoreDigits - text.size(), L'0');
    return text;
}

sf::Text MakeText(Fonts& fonts, const std::string& fontKey, unsigned int characterSize, const sf::String& string)
{
    sf::Text text(string, fonts[fontKey], characterSize);
    text.setFillColor(textColor);
    return text;
}

float CentredX(float centreLine, const sf::Text& text)
{
    return centreLine - 0.5f * text.getGlobalBounds().width;
}

HeadsUp::HeadsUp(Fonts& fonts, int speedPercent, const sf::Texture& pauseIcon, const sf::Texture& resumeIcon)
    : m_score(MakeText(fonts, boldFontKey, scoreCharacterSize, sf::String(std::to_wstring(0))))
    , m_instructions(MakeText(fonts, regularFontKey, instructionsCharacterSize, sf::String(gameInstructions)))
    , m_pauseCaption(MakeText(fonts, boldFontKey, pauseCaptionCharacterSize, sf::String(pauseCaption)))
    , m_pauseHint(MakeText(fonts, regularFontKey, pauseHintCharacterSize, sf::String(pauseHint)))
    , m_pauseControl(pauseIcon)
    , m_resumeControl(resumeIcon)
{
    // Placed once from the single starting digit; longer scores reach further right.
    const sf::Vector2f window = GetLogicalSize();
    m_score.setPosition(window.x - m_score.getGlobalBounds().width - scoreRightGap * window.x, scoreTop * window.y);
    if (speedPercent != normalSpeed)
        PlaceSpeed(MakeText(fonts, boldFontKey, speedCharacterSize, sf::String(FormatSpeed(speedPercent))));
    m_instructions->setPosition(CentredX(0.5f * window.x, *m_instructions), instructionsTop * window.y);
    m_pauseBand.setSize({window.x, pauseBandHeight * window.y});
    m_pauseBand.setPosition(0.f, pauseBandTop * window.y);
    m_pauseBand.setFillColor(pauseBandColor);
    m_pauseBand.setOutlineColor(pauseBandEdgeColor);
    m_pauseBand.setOutlineThickness(pauseBandEdge);
    m_pauseCaption.setPosition(CentredX(0.5f * window.x, m_pauseCaption), pauseCaptionTop * window.y);
    m_pauseHint.setPosition(CentredX(0.5f * window.x, m_pauseHint), pauseHintTop * window.y);
    m_pauseControl.setPosition(pauseControlMargin, pauseControlMargin);
    m_resumeControl.setPosition(pauseControlMargin, pauseControlMargin);
}

void HeadsUp::PlaceSpeed(sf::Text speed)
{
    // Left of the score, which grows to the right, and on its baseline: a text's first baseline lies
    // its character size below its top.
    const sf::FloatRect bounds = speed.getLocalBounds();
    const float baseline = m_score.getPosition().y + static_cast<float>(scoreCharacterSize);
    speed.setPosition(m_score.getGlobalBounds().left - speedGap - bounds.left - bounds.width,
                      baseline - static_cast<float>(speedCharacterSize));
    m_speed = speed;
}

void HeadsUp::RemoveInstructions()
{
    m_instructions.reset();
}

void HeadsUp::ShowScore(int score)
{
    m_score.setString(sf::String(FormatScore(score)));
}

void HeadsUp::Blink(float dt)
{
    m_blinkTimer += dt;
    if (m_blinkTimer < blinkInterval)
        return;
    m_blinkTimer -= blinkInterval;
    m_score.setFillColor(m_score.getFillColor() == sf::Color::Black ? sf::Color::White : sf::Color::Black);
    blinkInterval = blinkInterval == firstBlinkInterval ? secondBlinkInterval : firstBlinkInterval;
}

void HeadsUp::SpeakOfTapping()
{
    // Asked every frame once a finger has been used: the text is made only the first time.
    if (m_speaksOfTapping)
        return;
    m_speaksOfTapping = true;
    m_pauseHint.setString(sf::String(pauseTapHint));
    m_pauseHint.setPosition(CentredX(0.5f * GetLogicalSize().x, m_pauseHint), m_pauseHint.getPosition().y);
}

bool HeadsUp::IsOnPauseControl(sf::Vector2f position) const
{
    return IsOnControl(m_pauseControl, position);
}

void HeadsUp::Draw(sf::RenderTarget& target, const sf::RenderStates& onScreen, PlayView view) const
{
    if (m_instructions)
        target.draw(*m_instructions, onScreen);
    target.draw(m_score, onScreen);
    if (m_speed)
        target.draw(*m_speed, onScreen);
    if (view == PlayView::Playing)
        target.draw(m_pauseControl, onScreen);
    if (view != PlayView::Paused)
        return;
    target.draw(m_pauseBand, onScreen);
    target.draw(m_pauseCaption, onScreen);
    target.draw(m_pauseHint, onScreen);
    target.draw(m_resumeControl, onScreen);
}
} // namespace kvelmora
