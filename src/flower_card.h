#pragma once

#include "flower_facts.h"
#include "screen.h"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <string>

namespace sf
{
class Font;
class RenderTarget;
} // namespace sf

namespace kvelmora
{

// Where the card may stand on the game-over view, in screen pixels: the left part under the caption,
// beside the best results and above the hint, clear of every text and button there.
sf::FloatRect GetFlowerCardArea(sf::Vector2f windowSize);

// The lines of a text that fit a width, broken only at plain spaces: a no-break space keeps a
// one-letter word with the next. The no-break spaces come out as plain ones, which SFML draws blank.
std::wstring WrapText(const std::wstring& text, const sf::Font& font, unsigned int characterSize, float width);

// The game-over view's card about the flower that ended the game: its picture, its name, one
// sentence about it and the button "Více o květinách", which opens the info menu on its page.
class FlowerCard final : public sf::Drawable
{
public:
    // Takes the species' next sentence. The card stands at the top left of `area` and within it.
    FlowerCard(AppContext& context, const std::string& flowerKey, sf::FloatRect area);

    // The button, in the coordinates of the area.
    bool IsOnButton(sf::Vector2f point) const;
    void SetButtonHighlighted(bool highlighted);

private:
    friend struct ScreenProbe; // the tests' one seam (probe/screen_probe.h)

    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void Place(sf::FloatRect area);

    const FlowerSpecies& m_species;
    std::size_t m_sentenceIndex;
    sf::RectangleShape m_panel; // keeps the texts readable over the clouds
    sf::Sprite m_picture;
    sf::Text m_name;
    sf::Text m_sentence;
    sf::Text m_button;
};

// What choosing the card's button asks for: the info menu, open on the page about the flowers.
ScreenRequest OpenFlowerPage(AppContext& context);
} // namespace kvelmora
