#include "info_menu.h"

#include "assets.h"
#include "constants.h"
#include "log.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cassert>
#include <string>
#include <utility>

namespace kvelmora
{

namespace
{
constexpr float columnLeft = 0.03f; // of the window width
constexpr float columnTop = 0.03f;  // of the window height
constexpr float topicGap = 0.03f;   // of the window height
constexpr float pageGap = 0.05f;    // of the window width, between column and page
constexpr float pictureGap = 0.05f; // of the window height, between column and picture
constexpr unsigned int topicCharacterSize = 25;
constexpr unsigned int pageCharacterSize = 16;
constexpr float pageLineSpacing = 1.5f; // of the font's own, so a descender clears a capital's háček below
constexpr int morphologyTopic = 1;

// The lines are broken by hand, so on screen a plain space serves for a no-break one.
sf::String PageText(std::size_t page)
{
    return sf::String(WithPlainSpaces(infoPages[page]));
}
} // namespace

InfoMenu::InfoMenu(AppContext* context)
    : Screen(context)
    , m_currentPage(std::exchange(context->infoMenuPage, 0))
    , m_focus(backTopic + 1, m_currentPage, true)
{
    assert(m_currentPage >= 0 && m_currentPage < backTopic && "the info menu opens on a page");
    const sf::Vector2f windowSize = GetLogicalSize();
    const float belowColumn = CreateTopics(windowSize);

    m_page.setFont(m_context->fonts[regularFontKey]);
    m_page.setCharacterSize(pageCharacterSize);
    m_page.setLineSpacing(pageLineSpacing);
    m_page.setFillColor(textColor);
    m_page.setString(PageText(static_cast<std::size_t>(m_currentPage)));
    m_page.setPosition(GetColumnRight() + pageGap * windowSize.x, columnTop * windowSize.y);

    CreatePictures({columnLeft * windowSize.x, belowColumn + pictureGap * windowSize.y});
    // The end-to-end checks read which page opened here: the machine has no OCR.
    WriteLog("info menu: open on page " + std::to_string(m_currentPage) + ".");
}

float InfoMenu::CreateTopics(sf::Vector2f windowSize)
{
    const sf::Font& font = m_context->fonts[boldFontKey];
    const float x = columnLeft * windowSize.x;
    float y = columnTop * windowSize.y;
    for (std::size_t index = 0; index < infoTopics.size(); ++index)
    {
        sf::Text& topic = m_topics[static_cast<int>(index)];
        topic.setFont(font);
        topic.setCharacterSize(topicCharacterSize);
        topic.setFillColor(textColor);
        topic.setString(sf::String(infoTopics[index]));
        topic.setPosition(x, y);
        // Stacked by each text's own height, so the column follows the font.
        y += topic.getGlobalBounds().height + topicGap * windowSize.y;
    }
    return y;
}

void InfoMenu::CreatePictures(sf::Vector2f position)
{
    m_pictures[morphologyTopic].setTexture(m_context->textures[morfologieKey]);
    m_pictures[vegetationTopic].setTexture(m_context->textures[vegetaceKey]);
    for (auto& [topic, picture] : m_pictures)
        picture.setPosition(position);
}

float InfoMenu::GetColumnRight() const
{
    float right = 0.f;
    for (const auto& [index, topic] : m_topics)
        right = std::max(right, topic.getPosition().x + topic.getGlobalBounds().width);
    return right;
}

ScreenRequest InfoMenu::ProcessEvent(const sf::Event& event)
{
    if (IsLeftClick(event))
    {
        const std::optional<int> topic = GetTopicAt(GetMousePosition());
        return topic ? Open(*topic) : ScreenRequest::None;
    }
    const MenuAction action = m_controls.Take(event);
    if (action == MenuAction::Back)
        return ScreenRequest::OpenStartMenu;
    const std::optional<int> chosen = m_focus.Take(action);
    return chosen ? Open(*chosen) : ScreenRequest::None;
}

std::optional<int> InfoMenu::GetTopicAt(sf::Vector2f position) const
{
    for (const auto& [index, topic] : m_topics)
    {
        if (topic.getGlobalBounds().contains(position))
            return index;
    }
    return std::nullopt;
}

ScreenRequest InfoMenu::Open(int topic)
{
    if (topic == backTopic)
        return ScreenRequest::OpenStartMenu;
    m_page.setString(PageText(static_cast<std::size_t>(topic)));
    m_currentPage = topic;
    return ScreenRequest::None;
}

void InfoMenu::Update(float)
{
    m_focus.Point(GetTopicAt(GetMousePosition()));
}

void InfoMenu::Draw()
{
    sf::RenderWindow& window = *m_context->window;
    for (auto& [index, topic] : m_topics)
    {
        const bool highlighted = m_focus.IsHighlighted(index) || index == m_currentPage;
        topic.setFillColor(highlighted ? highlightColor : textColor);
        window.draw(topic);
    }
    const auto picture = m_pictures.find(m_currentPage);
    if (picture != m_pictures.end())
        window.draw(picture->second);
    window.draw(m_page);
}
} // namespace kvelmora
