#pragma once

#include "application.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>

class StartMenu final : public Screen
{
public:
    static constexpr int infoButton = 0;
    static constexpr int playButton = 1;

    explicit StartMenu(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;

    const sf::Text& GetButton(int key) const { return m_buttons.at(key); }
    const sf::Text& GetTitle() const { return m_title; }
    const sf::Sprite& GetLogos() const { return m_logos; }
    const sf::Sprite& GetOrganisationLogo() const { return m_organisationLogo; }

private:
    void CreateButtons(const sf::Font& font, sf::Vector2f windowSize);
    void CreateTitle(const sf::Font& font, sf::Vector2f windowSize);
    void PlaceLogos(sf::Vector2f windowSize);

    std::map<int, sf::Text> m_buttons; // hit-tested and drawn in key order
    sf::Text m_title;
    sf::Sprite m_logos;
    sf::Sprite m_organisationLogo;
};
