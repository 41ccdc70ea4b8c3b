#pragma once

#include "application.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>

namespace kvelmora
{

class StartMenu final : public Screen
{
public:
    static constexpr int infoButton = 0;
    static constexpr int playButton = 1;

    explicit StartMenu(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;

private:
    friend struct ScreenProbe; // the tests' one seam (bench/screen_probe.h)

    void CreateButtons(const sf::Font& font, sf::Vector2f windowSize);
    void CreateTitle(const sf::Font& font, sf::Vector2f windowSize);
    void PlaceLogos(sf::Vector2f windowSize);

    std::map<int, sf::Text> m_buttons; // hit-tested and drawn in key order
    sf::Text m_title;
    sf::Sprite m_logos;
    sf::Sprite m_organisationLogo;
};
} // namespace kvelmora
