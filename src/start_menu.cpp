#include "start_menu.h"

#include "assets.h"
#include "constants.h"
#include "log.h"
#include "speed_choice.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace kvelmora
{

namespace
{
constexpr float buttonSideMargin = 0.123f; // of the window width
constexpr float buttonTop = 0.45f;         // of the window height
constexpr float logoTop = 0.09f;
constexpr float partnerLogosTop = 0.76f;
constexpr unsigned int titleCharacterSize = 40;
constexpr unsigned int speedCharacterSize = 24; // smaller than the buttons: a setting, not a way on
constexpr float cornerMargin = 16.f;            // pixels, as the sound-off mark keeps in the other corner

float CentredX(float windowWidth, const sf::FloatRect& bounds)
{
    return windowWidth * 0.5f - bounds.width * 0.5f;
}

float LineWidth(const std::wstring& line, const sf::Text& style)
{
    sf::Text text(style);
    text.setString(sf::String(line));
    return text.getLocalBounds().width;
}

// One text whose lines stand centred over each other: each shorter line is led by as many spaces
// as come closest to half of what it lacks of the longest.
sf::String CentreLines(const std::wstring& lines, const sf::Text& style)
{
    std::vector<std::wstring> split;
    std::wistringstream input(lines);
    for (std::wstring line; std::getline(input, line);)
        split.push_back(line);
    float widest = 0.f;
    for (const std::wstring& line : split)
        widest = std::max(widest, LineWidth(line, style));
    const float spaceWidth = LineWidth(L"x x", style) - LineWidth(L"xx", style);
    std::wstring centred;
    for (const std::wstring& line : split)
    {
        const float lacking = widest - LineWidth(line, style);
        const auto spaces = static_cast<std::size_t>(std::lround(lacking / 2 / spaceWidth));
        centred += (centred.empty() ? L"" : L"\n") + std::wstring(spaces, L' ') + line;
    }
    return sf::String(centred);
}
} // namespace

StartMenu::StartMenu(AppContext* context)
    : Screen(context)
{
    WriteLog("start_menu: constructor started.");
    const sf::Vector2f windowSize = GetLogicalSize();
    const sf::Font& boldFont = m_context->fonts[boldFontKey];
    CreateButtons(boldFont, windowSize);
    CreateSpeedButton(boldFont, windowSize);
    WriteLog("start_menu: Menu texts created.");
    CreateTitle(boldFont, windowSize);
    PlaceLogos(windowSize);
    WriteLog("start_menu: Constructor end.");
}

void StartMenu::CreateButtons(const sf::Font& font, sf::Vector2f windowSize)
{
    sf::Text& info = m_buttons[infoButton];
    info.setFont(font);
    info.setFillColor(textColor);
    info.setString(CentreLines(infoButtonText, info));
    info.setPosition(buttonSideMargin * windowSize.x, buttonTop * windowSize.y);

    // The play button ends near the right margin, opposite the info button.
    sf::Text& play = m_buttons[playButton];
    play.setFont(font);
    play.setFillColor(textColor);
    play.setString(sf::String(playButtonText));
    play.setPosition(windowSize.x - play.getLocalBounds().width - buttonSideMargin * windowSize.x,
                     buttonTop * windowSize.y);
}

void StartMenu::CreateSpeedButton(const sf::Font& font, sf::Vector2f windowSize)
{
    sf::Text& speed = m_buttons[speedButton];
    speed.setFont(font);
    speed.setCharacterSize(speedCharacterSize);
    speed.setFillColor(textColor);
    ShowSpeed();
    // Every speed's text reaches as low, so the place holds for all of them.
    const sf::FloatRect bounds = speed.getLocalBounds();
    speed.setPosition(cornerMargin, windowSize.y - cornerMargin - bounds.top - bounds.height);
}

void StartMenu::ShowSpeed()
{
    m_buttons[speedButton].setString(sf::String(speedChoiceText + FormatSpeed(m_context->speed.GetSpeed())));
}

void StartMenu::CreateTitle(const sf::Font& font, sf::Vector2f windowSize)
{
    m_title.setFont(font);
    m_title.setCharacterSize(titleCharacterSize);
    m_title.setFillColor(textColor);
    m_title.setString(sf::String(menuTitle));
    m_title.setPosition(CentredX(windowSize.x, m_title.getGlobalBounds()), 0.f);
}

void StartMenu::PlaceLogos(sf::Vector2f windowSize)
{
    m_logos.setTexture(m_context->textures[partnerLogosKey]);
    m_logos.setPosition(CentredX(windowSize.x, m_logos.getGlobalBounds()), partnerLogosTop * windowSize.y);
    m_organisationLogo.setTexture(m_context->textures[korvelKey]);
    m_organisationLogo.setPosition(CentredX(windowSize.x, m_organisationLogo.getGlobalBounds()),
                                   logoTop * windowSize.y);
}

ScreenRequest StartMenu::ProcessEvent(const sf::Event& event)
{
    WriteLog("start_menu: ProcessEvent start.");
    const std::optional<int> chosen =
        IsLeftClick(event) ? GetButtonAt(GetMousePosition()) : m_focus.Take(m_controls.Take(event));
    const ScreenRequest request = Choose(chosen);
    WriteLog("start_menu: ProcessEvent end.");
    return request;
}

std::optional<int> StartMenu::GetButtonAt(sf::Vector2f position) const
{
    for (const auto& [key, button] : m_buttons)
    {
        if (button.getGlobalBounds().contains(position))
            return key;
    }
    return std::nullopt;
}

ScreenRequest StartMenu::Choose(std::optional<int> button)
{
    if (button == speedButton)
    {
        m_context->speed.Step();
        ShowSpeed();
    }
    if (button == infoButton)
        return ScreenRequest::OpenInfoMenu;
    if (button == playButton)
        return ScreenRequest::StartGame;
    return ScreenRequest::None;
}

void StartMenu::Update(float)
{
    m_focus.Point(GetButtonAt(GetMousePosition()));
}

void StartMenu::Draw()
{
    WriteLog("start_menu: Draw start.");
    sf::RenderWindow& window = *m_context->window;
    for (auto& [key, button] : m_buttons)
    {
        button.setFillColor(m_focus.IsHighlighted(key) ? highlightColor : textColor);
        window.draw(button);
    }
    window.draw(m_logos);
    window.draw(m_organisationLogo);
    window.draw(m_title);
    WriteLog("start_menu: Draw end.");
}
} // namespace kvelmora
