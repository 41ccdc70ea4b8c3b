#include "application.h"

#include "assets.h"
#include "constants.h"
#include "controls.h"
#include "file_locations.h"
#include "game.h"
#include "info_menu.h"
#include "log.h"
#include "platform.h"
#include "settings.h"
#include "start_menu.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

namespace kvelmora
{
namespace
{
constexpr float speakerMargin = 16.f; // pixels between the speaker and the picture's corner
constexpr float noticeGap = 12.f;     // pixels between a notice and the speaker
} // namespace

Application::Application(sf::RenderWindow& window)
    : m_context(window)
{
    WriteLog("Application constructor started.");
    m_context.bestResults.Load();
    WriteLog("Scores loaded.");
    // Without a display the frame loop never comes back to save at exit.
    platform::SetDisplayLossAction([this] { m_context.bestResults.SaveAll(); });
    LoadAllAssets(m_context.GetAssetMaps(), GetAssetDirectory());
    PlaceSpeaker();
    m_screen = std::make_unique<StartMenu>(&m_context);
    WriteLog("Created StartMenu object.");
}

Application::~Application()
{
    platform::SetDisplayLossAction(nullptr);
}

bool Application::SaveBestResults()
{
    return m_context.bestResults.SaveAll();
}

void Application::ProcessEvent(const sf::Event& event)
{
    WriteLog("application: ProcessEvent start.");
    if (event.type == sf::Event::LostFocus || event.type == sf::Event::GainedFocus)
        m_context.hasFocus = event.type == sf::Event::GainedFocus;
    if (event.type == sf::Event::TouchBegan)
        m_context.touchUsed = true;
    if (!IsSpeakerTap(event))
        PassToScreen(event);
    WriteLog("application: ProcessEvent end.");
}

void Application::PassToScreen(const sf::Event& event)
{
    const int speed = m_context.speed.GetSpeed();
    const ScreenRequest request = m_screen->ProcessEvent(event);
    if (m_context.speed.GetSpeed() != speed && m_context.speed.LastSaveFailed())
        ShowNotice(settingsNotSavedNotice);
    if (request != ScreenRequest::None)
        Switch(request);
}

void Application::ReturnToStartMenu()
{
    if (dynamic_cast<const StartMenu*>(m_screen.get()) != nullptr)
        return;
    SaveBestResults();
    Switch(ScreenRequest::OpenStartMenu);
}

void Application::Switch(ScreenRequest request)
{
    // The new screen is complete before the old one goes.
    m_screen = CreateScreen(request);
    ++m_screensCreated;
}

void Application::Update(float seconds)
{
    WriteLog("application: Update start.");
    m_screen->Update(seconds);
    m_notice.Update(seconds);
    WriteLog("application: Update end.");
}

void Application::Draw()
{
    WriteLog("application: Draw start.");
    m_screen->Draw();
    WriteLog("application: Draw end.");
}

bool Application::IsSpeakerTap(const sf::Event& event) const
{
    const sf::RenderWindow& window = *m_context.window;
    sf::Vector2f position;
    if (event.type == sf::Event::TouchBegan)
        position = ToLogical({event.touch.x, event.touch.y}, window.getSize());
    else if (IsLeftClick(event))
        position = ToLogical(sf::Mouse::getPosition(window), window.getSize());
    else
        return false;
    return IsOnControl(m_speaker, position);
}

void Application::PlaceSpeaker()
{
    // Both pictures are of one size.
    m_speaker.setTexture(m_context.textures[soundOnKey]);
    const sf::Vector2f corner = GetLogicalSize() - sf::Vector2f(speakerMargin, speakerMargin);
    const sf::FloatRect bounds = m_speaker.getGlobalBounds();
    m_speaker.setPosition(corner.x - bounds.width, corner.y - bounds.height);
}

void Application::ShowNotice(const std::wstring& text)
{
    const sf::Vector2f speakerCorner = GetLogicalSize() - sf::Vector2f(speakerMargin, speakerMargin);
    const sf::Vector2f bottomRight(m_speaker.getGlobalBounds().left - noticeGap, speakerCorner.y);
    m_notice.Show(text, m_context.fonts[regularFontKey], bottomRight);
}

void Application::DrawCorner(bool soundOn)
{
    // On the screen, not in the game's scrolled world.
    sf::RenderWindow& window = *m_context.window;
    const sf::View shown = window.getView();
    sf::View screen = GetLogicalView();
    screen.setViewport(shown.getViewport());
    window.setView(screen);
    m_speaker.setTexture(m_context.textures[soundOn ? soundOnKey : soundOffKey]);
    window.draw(m_speaker);
    m_notice.Draw(window);
    window.setView(shown);
}

std::unique_ptr<Screen> Application::CreateScreen(ScreenRequest request)
{
    switch (request)
    {
    case ScreenRequest::OpenStartMenu:
        return std::make_unique<StartMenu>(&m_context);
    case ScreenRequest::OpenInfoMenu:
        return std::make_unique<InfoMenu>(&m_context);
    case ScreenRequest::StartGame:
        return std::make_unique<Game>(&m_context);
    case ScreenRequest::None:
        break;
    }
    return nullptr;
}
} // namespace kvelmora
