#pragma once

#include "screen.h"
#include "controls.h"
#include "menu_focus.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>
#include <optional>

namespace kvelmora
{

class StartMenu final : public Screen
{
public:
    static constexpr int infoButton = 0;
    static constexpr int playButton = 1;
    static constexpr int speedButton = 2; // the game speed, in the lower-left corner
    static constexpr int buttonCount = 3;

    explicit StartMenu(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;

private:
    friend struct ScreenProbe; // the tests' one seam (probe/screen_probe.h)

    void CreateButtons(const sf::Font& font, sf::Vector2f windowSize);
    void CreateSpeedButton(const sf::Font& font, sf::Vector2f windowSize);
    void ShowSpeed();
    void CreateTitle(const sf::Font& font, sf::Vector2f windowSize);
    void PlaceLogos(sf::Vector2f windowSize);
    std::optional<int> GetButtonAt(sf::Vector2f position) const;
    ScreenRequest Choose(std::optional<int> button);

    std::map<int, sf::Text> m_buttons; // hit-tested and drawn in key order
    sf::Text m_title;
    sf::Sprite m_logos;
    sf::Sprite m_organisationLogo;
    MenuFocus m_focus{buttonCount, playButton}; // the first key shows it on "Hrát hru"
    MenuControls m_controls{MenuLayout::Row};
};
} // namespace kvelmora
