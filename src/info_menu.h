#pragma once

#include "application.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <map>

class InfoMenu final : public Screen
{
public:
    static constexpr int backTopic = 4; // "Zpět": returns to the start menu, has no page

    explicit InfoMenu(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;

    const sf::Text& GetTopic(int index) const { return m_topics.at(index); }
    const sf::Text& GetPage() const { return m_page; }
    const sf::Sprite& GetPicture(int topic) const { return m_pictures.at(topic); }
    int GetCurrentPage() const { return m_currentPage; }

private:
    // Stacks the topics down the left edge; returns the top of the space below them.
    float CreateTopics(sf::Vector2f windowSize);
    void CreatePictures(sf::Vector2f position);
    float GetColumnRight() const;

    std::map<int, sf::Text> m_topics;
    sf::Text m_page;
    int m_currentPage = 0;
    std::map<int, sf::Sprite> m_pictures; // keyed by the topic that shows them
};
