#pragma once

#include "controls.h"
#include "flower_card.h"
#include "heads_up.h"
#include "menu_focus.h"

#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sf
{
class RenderTarget;
class RenderStates;
} // namespace sf

namespace kvelmora
{

// What the screen shows once a game is over, in screen coordinates: the caption, the best results with
// the new one in bold, the hint, a notice when they could not be saved, two buttons, and the card about
// the flower that ended the game with a third.
class GameOverView final
{
public:
    static constexpr int playAgainButton = 0; // left to right
    static constexpr int startMenuButton = 1;
    static constexpr int flowerPageButton = 2; // on the card, after the row
    static constexpr float grace = 0.5f;       // seconds after the crash when no click or pad button acts

    GameOverView(Fonts& fonts, int speedPercent); // the speed whose table it shows

    // `highlightedRow` of `scores` in bold, none for -1.
    void Show(const std::vector<int>& scores, int highlightedRow, bool saveFailed);
    // The card about the flower that ended the game; its button joins the row's focus as the third.
    void ShowFlowerCard(AppContext& context, const std::string& flowerKey);
    // Counts the time shown, a stall no longer than `dt` says, and lights the button under the pointer.
    void Update(float dt, sf::Vector2f pointer);
    // The button that a click at the pointer, a pad or a key it takes chooses, if any; the pad's pushes
    // and Tab move the focus.
    std::optional<int> Choose(const sf::Event& event, sf::Vector2f pointer);
    // Tab and Shift+Tab move the focus; Enter chooses only once the focus shows. Other keys keep their meaning.
    bool TakesKey(const sf::Event::KeyEvent& key) const;
    void Draw(sf::RenderTarget& target, const sf::RenderStates& onScreen) const;

private:
    // Tests and measurements look inside through this one seam (probe/screen_probe.h).
    friend struct ScreenProbe;

    void ShowButtons(float centreLine, float top);
    std::optional<int> GetButtonAt(sf::Vector2f pointer) const;

    Fonts& m_fonts;
    const std::wstring m_headingText;
    sf::Text m_caption;
    sf::Text m_heading;
    std::vector<sf::Text> m_rows; // best first
    sf::Text m_hint;
    std::optional<sf::Text> m_saveFailed;
    std::array<sf::Text, 2> m_buttons;
    std::optional<FlowerCard> m_flowerCard;
    std::optional<float> m_seconds; // since the view was first shown: the grace of clicks and pads
    MenuFocus m_focus{static_cast<int>(std::tuple_size_v<decltype(m_buttons)>), playAgainButton};
    MenuControls m_controls{MenuLayout::Row};
};
} // namespace kvelmora
