#include "flower_card.h"

#include "assets.h"
#include "constants.h"
#include "info_menu.h"
#include "log.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>

namespace kvelmora
{

namespace
{
constexpr float areaLeft = 0.03f;   // of the window width, as the info menu's column
constexpr float areaTop = 0.16f;    // of the window height, level with the best results' heading
constexpr float areaWidth = 0.33f;  // of the window width: ends left of the slowest speed's heading
constexpr float areaHeight = 0.31f; // of the window height: ends above the hint
constexpr float padding = 14.f;     // pixels inside the panel's edge and between picture and texts
constexpr float pictureScale = 2.f; // the flowers are small in the world
constexpr float pictureSlot = 96.f; // pixels: the widest flower at that scale, 90, and some air; the texts align
constexpr float nameGap = 8.f;      // pixels between the name and the sentence
constexpr float buttonGap = 16.f;   // pixels between the sentence and the button
constexpr unsigned int nameCharacterSize = 26;
constexpr unsigned int sentenceCharacterSize = 22; // as the game-over texts: still readable in a fitted window
constexpr unsigned int buttonCharacterSize = 24;
constexpr float sentenceLineSpacing = 1.2f;         // of the font's own, so a descender clears the accents below
const sf::Color panelColor(255, 255, 255, 220);     // nearly opaque white: the clouds show only faintly
const sf::Color panelEdgeColor(140, 140, 140, 255); // the panel's edge shows over the white sky
constexpr float panelEdge = 1.f;                    // pixels

float Bottom(const sf::FloatRect& bounds)
{
    return bounds.top + bounds.height;
}

// From one line's top to the next one's.
float LineHeight(const sf::Text& text)
{
    return text.getFont()->getLineSpacing(text.getCharacterSize()) * text.getLineSpacing();
}

float TextWidth(const std::wstring& text, const sf::Font& font, unsigned int characterSize)
{
    return sf::Text(sf::String(text), font, characterSize).getGlobalBounds().width;
}
} // namespace

sf::FloatRect GetFlowerCardArea(sf::Vector2f windowSize)
{
    return {areaLeft * windowSize.x, areaTop * windowSize.y, areaWidth * windowSize.x, areaHeight * windowSize.y};
}

std::wstring WrapText(const std::wstring& text, const sf::Font& font, unsigned int characterSize, float width)
{
    std::wstring wrapped;
    std::wstring line;
    for (std::size_t start = 0; start < text.size();)
    {
        const std::size_t end = std::min(text.find(L' ', start), text.size());
        const std::wstring word = WithPlainSpaces(text.substr(start, end - start));
        start = end + 1;
        const std::wstring longer = line.empty() ? word : line + L' ' + word;
        if (!line.empty() && TextWidth(longer, font, characterSize) > width)
        {
            wrapped += line + L'\n';
            line = word;
        }
        else
        {
            line = longer;
        }
    }
    return wrapped + line;
}

FlowerCard::FlowerCard(AppContext& context, const std::string& flowerKey, sf::FloatRect area)
    : m_species(FindFlowerSpecies(flowerKey))
    , m_sentenceIndex(TakeSentenceIndex(m_species))
    , m_picture(context.textures[flowerKey])
    , m_name(sf::String(m_species.name), context.fonts[boldFontKey], nameCharacterSize)
    , m_button(sf::String(flowerPageButtonText), context.fonts[boldFontKey], buttonCharacterSize)
{
    m_panel.setFillColor(panelColor);
    m_panel.setOutlineColor(panelEdgeColor);
    m_panel.setOutlineThickness(panelEdge);
    m_picture.setScale(pictureScale, pictureScale);
    m_name.setFillColor(textColor);
    m_sentence.setFont(context.fonts[regularFontKey]);
    m_sentence.setCharacterSize(sentenceCharacterSize);
    m_sentence.setLineSpacing(sentenceLineSpacing);
    m_sentence.setFillColor(textColor);
    m_button.setFillColor(textColor);
    Place(area);
    WriteLog("flower card: " + flowerKey + ", sentence " + std::to_string(m_sentenceIndex) + ".");
}

void FlowerCard::Place(sf::FloatRect area)
{
    const float columnLeft = area.left + padding + pictureSlot + padding;
    const float columnWidth = area.left + area.width - padding - columnLeft;
    const float top = area.top + padding;

    // Stacked by whole lines, not by ink, so accents and descenders move nothing.
    m_name.setPosition(columnLeft, top - m_name.getLocalBounds().top);
    const std::wstring& sentence = m_species.sentences[m_sentenceIndex];
    const std::wstring lines = WrapText(sentence, *m_sentence.getFont(), sentenceCharacterSize, columnWidth);
    m_sentence.setString(sf::String(lines));
    m_sentence.setPosition(columnLeft, m_name.getPosition().y + LineHeight(m_name) + nameGap);
    const auto lineCount = static_cast<float>(std::count(lines.begin(), lines.end(), L'\n') + 1);
    m_button.setPosition(columnLeft, m_sentence.getPosition().y + lineCount * LineHeight(m_sentence) + buttonGap);

    const sf::FloatRect picture = m_picture.getGlobalBounds();
    const float contentHeight = std::max(Bottom(m_button.getGlobalBounds()) - top, picture.height);
    // The edge is drawn outside the panel's rectangle; the whole card keeps to the area.
    m_panel.setPosition(area.left + panelEdge, area.top + panelEdge);
    m_panel.setSize({area.width - 2.f * panelEdge, contentHeight + 2.f * padding});
    m_picture.setPosition(area.left + padding + 0.5f * (pictureSlot - picture.width),
                          top + 0.5f * (contentHeight - picture.height));
}

bool FlowerCard::IsOnButton(sf::Vector2f point) const
{
    return m_button.getGlobalBounds().contains(point);
}

void FlowerCard::SetButtonHighlighted(bool highlighted)
{
    m_button.setFillColor(highlighted ? highlightColor : textColor);
}

void FlowerCard::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    target.draw(m_panel, states);
    target.draw(m_picture, states);
    target.draw(m_name, states);
    target.draw(m_sentence, states);
    target.draw(m_button, states);
}

ScreenRequest OpenFlowerPage(AppContext& context)
{
    context.infoMenuPage = InfoMenu::vegetationTopic;
    return ScreenRequest::OpenInfoMenu;
}
} // namespace kvelmora
