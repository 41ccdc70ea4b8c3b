#include "application.h"

#include "assets.h"
#include "constants.h"
#include "file_locations.h"
#include "game.h"
#include "info_menu.h"
#include "log.h"
#include "platform.h"
#include "settings.h"
#include "start_menu.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>

namespace kvelmora
{
namespace
{
constexpr float soundOffMargin = 16.f; // pixels between the mark and the picture's corner
constexpr float noticeGap = 12.f;      // pixels between a notice and the mark's place
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
    PlaceSoundOffMark();
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
    const int speed = m_context.speed.GetSpeed();
    const ScreenRequest request = m_screen->ProcessEvent(event);
    if (m_context.speed.GetSpeed() != speed && m_context.speed.LastSaveFailed())
        ShowNotice(settingsNotSavedNotice);
    if (request != ScreenRequest::None)
        Switch(request);
    WriteLog("application: ProcessEvent end.");
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

void Application::PlaceSoundOffMark()
{
    m_soundOffMark.setTexture(m_context.textures[soundOffKey]);
    const sf::Vector2f corner = GetLogicalSize() - sf::Vector2f(soundOffMargin, soundOffMargin);
    const sf::FloatRect bounds = m_soundOffMark.getGlobalBounds();
    m_soundOffMark.setPosition(corner.x - bounds.width, corner.y - bounds.height);
}

void Application::ShowNotice(const std::wstring& text)
{
    const sf::Vector2f markCorner = GetLogicalSize() - sf::Vector2f(soundOffMargin, soundOffMargin);
    const sf::Vector2f bottomRight(m_soundOffMark.getGlobalBounds().left - noticeGap, markCorner.y);
    m_notice.Show(text, m_context.fonts[regularFontKey], bottomRight);
}

void Application::DrawCorner(bool soundOff)
{
    // On the screen, not in the game's scrolled world.
    sf::RenderWindow& window = *m_context.window;
    const sf::View shown = window.getView();
    sf::View screen = GetLogicalView();
    screen.setViewport(shown.getViewport());
    window.setView(screen);
    if (soundOff)
        window.draw(m_soundOffMark);
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
