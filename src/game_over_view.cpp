#include "game_over_view.h"

#include "constants.h"
#include "settings.h"
#include "speed_choice.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <string>

namespace kvelmora
{

namespace
{
constexpr unsigned int characterSize = 22;
constexpr float captionTop = 0.06f; // of the window height
constexpr float tableTop = 0.16f;
constexpr float rowStepShare = 0.65f; // of the table heading's height
constexpr float hintTop = 0.5f;
constexpr unsigned int noticeCharacterSize = 16; // smaller than the hint above it
constexpr float noticeTop = 0.56f;               // of the window height, one line under the hint
constexpr unsigned int buttonCharacterSize = 30; // as the start menu's buttons
constexpr float buttonsTop = 0.62f;              // of the window height, under the hint and the notice
constexpr float buttonGap = 0.08f;               // of the window width, between the two buttons
} // namespace

GameOverView::GameOverView(Fonts& fonts, int speedPercent)
    : m_fonts(fonts)
    , m_headingText(speedPercent == normalSpeed ? bestResultsHeading
                                                : slowerBestResultsHeading + FormatSpeed(speedPercent) + L")\n")
{
}

void GameOverView::Show(const std::vector<int>& scores, int highlightedRow, bool saveFailed)
{
    const sf::Vector2f window = GetLogicalSize();
    const float centreLine = 0.5f * window.x;

    m_caption = MakeText(m_fonts, boldFontKey, characterSize, sf::String(gameOverCaption));
    m_caption.setPosition(CentredX(centreLine, m_caption), captionTop * window.y);
    m_heading = MakeText(m_fonts, boldFontKey, characterSize, sf::String(m_headingText));
    m_heading.setPosition(CentredX(centreLine, m_heading), tableTop * window.y);

    // The heading's final line break counts in its height, and so in the row step.
    const float rowStep = rowStepShare * m_heading.getGlobalBounds().height;
    m_rows.clear();
    for (std::size_t row = 0; row < scores.size(); ++row)
    {
        const bool highlighted = static_cast<int>(row) == highlightedRow;
        const std::wstring line = std::to_wstring(row + 1) + L". " + FormatScore(scores[row]) + L"\n";
        sf::Text text = MakeText(m_fonts, highlighted ? boldFontKey : regularFontKey, characterSize, sf::String(line));
        // The rows stand left-aligned under the first, which is centred.
        const float left = m_rows.empty() ? CentredX(centreLine, text) : m_rows.front().getPosition().x;
        text.setPosition(left, tableTop * window.y + static_cast<float>(row + 1) * rowStep);
        m_rows.push_back(text);
    }

    m_hint = MakeText(m_fonts, regularFontKey, characterSize, sf::String(gameOverHint));
    m_hint.setPosition(CentredX(centreLine, m_hint), hintTop * window.y);
    ShowButtons(centreLine, buttonsTop * window.y);
    if (saveFailed)
    {
        m_saveFailed = MakeText(m_fonts, regularFontKey, noticeCharacterSize, sf::String(saveFailedNotice));
        m_saveFailed->setPosition(CentredX(centreLine, *m_saveFailed), noticeTop * window.y);
    }
}

void GameOverView::ShowButtons(float centreLine, float top)
{
    const float halfGap = 0.5f * buttonGap * GetLogicalSize().x;
    sf::Text& playAgain = m_buttons[playAgainButton];
    playAgain = MakeText(m_fonts, boldFontKey, buttonCharacterSize, sf::String(playAgainButtonText));
    playAgain.setPosition(centreLine - halfGap - playAgain.getGlobalBounds().width, top);
    sf::Text& startMenu = m_buttons[startMenuButton];
    startMenu = MakeText(m_fonts, boldFontKey, buttonCharacterSize, sf::String(startMenuButtonText));
    startMenu.setPosition(centreLine + halfGap, top);
}

void GameOverView::ShowFlowerCard(AppContext& context, const std::string& flowerKey)
{
    m_flowerCard.emplace(context, flowerKey, GetFlowerCardArea(GetLogicalSize()));
    m_focus = MenuFocus(flowerPageButton + 1, playAgainButton);
}

void GameOverView::Update(float dt, sf::Vector2f pointer)
{
    // The first frame's time passed mostly before the view was shown, a slow save included.
    m_seconds = m_seconds ? *m_seconds + dt : 0.f;
    m_focus.Point(GetButtonAt(pointer));
    for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button)
        m_buttons[static_cast<std::size_t>(button)].setFillColor(m_focus.IsHighlighted(button) ? highlightColor
                                                                                               : textColor);
    if (m_flowerCard)
        m_flowerCard->SetButtonHighlighted(m_focus.IsHighlighted(flowerPageButton));
}

std::optional<int> GameOverView::Choose(const sf::Event& event, sf::Vector2f pointer)
{
    // A jump pressed as the runner crashed must not skip the results: for a moment clicks and the
    // pad's buttons do nothing, while its pushes already move the focus.
    const bool settled = m_seconds.value_or(0.f) >= grace;
    if (IsLeftClick(event))
        return settled ? GetButtonAt(pointer) : std::nullopt;
    const MenuAction action = m_controls.Take(event);
    if (action == MenuAction::Next || action == MenuAction::Previous)
        return m_focus.Take(action);
    if (!settled)
        return std::nullopt;
    return action == MenuAction::Back ? startMenuButton : m_focus.Take(action);
}

bool GameOverView::TakesKey(const sf::Event::KeyEvent& key) const
{
    return key.code == sf::Keyboard::Tab || (key.code == sf::Keyboard::Enter && m_focus.IsShown());
}

std::optional<int> GameOverView::GetButtonAt(sf::Vector2f pointer) const
{
    for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button)
        if (m_buttons[static_cast<std::size_t>(button)].getGlobalBounds().contains(pointer))
            return button;
    if (m_flowerCard && m_flowerCard->IsOnButton(pointer))
        return flowerPageButton;
    return std::nullopt;
}

void GameOverView::Draw(sf::RenderTarget& target, const sf::RenderStates& onScreen) const
{
    target.draw(m_caption, onScreen);
    target.draw(m_heading, onScreen);
    for (const sf::Text& row : m_rows)
        target.draw(row, onScreen);
    target.draw(m_hint, onScreen);
    if (m_saveFailed)
        target.draw(*m_saveFailed, onScreen);
    for (const sf::Text& button : m_buttons)
        target.draw(button, onScreen);
    if (m_flowerCard)
        target.draw(*m_flowerCard, onScreen);
}
} // namespace kvelmora
