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

class InfoMenu final : public Screen
{
public:
    static constexpr int vegetationTopic = 2; // "Vegetace", the page about the flowers
    static constexpr int backTopic = 4;       // "Zpět": returns to the start menu, has no page

    // Opens on the page the context names, and leaves the next info menu to open on the first.
    explicit InfoMenu(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;

private:
    friend struct ScreenProbe; // the tests' one seam (probe/screen_probe.h)

    // Stacks the topics down the left edge; returns the top of the space below them.
    float CreateTopics(sf::Vector2f windowSize);
    void CreatePictures(sf::Vector2f position);
    float GetColumnRight() const;
    std::optional<int> GetTopicAt(sf::Vector2f position) const;
    ScreenRequest Open(int topic); // shows a topic's page, or goes back

    std::map<int, sf::Text> m_topics;
    sf::Text m_page;
    int m_currentPage;
    std::map<int, sf::Sprite> m_pictures; // keyed by the topic that shows them
    // Shown on the selected topic from the start, which is grey anyway: the first key moves it.
    MenuFocus m_focus;
    MenuControls m_controls{MenuLayout::Column};
};
} // namespace kvelmora
