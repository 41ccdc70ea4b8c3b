#include "game.h"

#include "assets.h"
#include "controls.h"
#include "flower_card.h"
#include "log.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

namespace kvelmora
{

namespace
{
constexpr float jumpVelocity = -2500.f; // pixels per second, negative is up
constexpr float gravity = 7000.f;       // pixels per second squared
constexpr float playerStartX = 50.f;    // pixels from the view's left edge

WorldLooks MakeLooks(std::map<std::string, sf::Texture>& textures)
{
    const auto looks = [&textures](std::initializer_list<const std::string*> keys) {
        Looks made;
        for (const std::string* key : keys)
            made.emplace_back(textures[*key]);
        return made;
    };
    WorldLooks made;
    made.smallClouds = looks({&smallCloud1Key, &smallCloud2Key});
    made.largeClouds = looks({&largeCloud1Key, &largeCloud2Key});
    // Only the four kinds that have pictures: an item without one could never be seen or collected.
    made.garbage = looks({&canKey, &cokeCanKey, &glassBottleKey, &plasticBottleKey});
    for (const std::string* key : {&lenKey, &hvezdniceKey, &sasankaKey})
        made.flowers.push_back({*key, sf::Sprite(textures[*key])});
    return made;
}
} // namespace

Game::Game(AppContext* context)
    : Screen(context)
    , m_pausedByFocus(!context->hasFocus) // a game started without the focus waits for it
    , m_world(MakeLooks(context->textures), context->bestResults.Chosen())
    , m_clock(context->speed.GetSpeed())
    , m_player(*this, context->textures[playerTextureKey])
    , m_pickupSound(context->soundBuffers[pickupSoundKey])
    , m_gameOverSound(context->soundBuffers[gameOverSoundKey])
    , m_headsUp(context->fonts, context->speed.GetSpeed(), context->textures[pauseKey], context->textures[resumeKey])
    , m_gameOverView(context->fonts, context->speed.GetSpeed())
{
    m_player.SetPosition({playerStartX, GetGroundY() - m_player.GetBounds().height});
}

Game::~Game()
{
    // The menus that follow draw without scrolling.
    m_context->window->setView(GetLogicalView());
}

void Game::Start()
{
    if (m_state == GameState::Waiting)
    {
        m_state = GameState::Running;
        WriteLog("game: running.");
    }
}

float Game::GetJumpVelocity() const
{
    return jumpVelocity;
}

float Game::GetGravity() const
{
    return gravity;
}

ScreenRequest Game::ProcessEvent(const sf::Event& event)
{
    if (event.type == sf::Event::LostFocus)
        m_pausedByFocus = true;
    else if (event.type == sf::Event::GainedFocus)
        m_pausedByFocus = false;
    else if (m_state == GameState::GameOver)
        return ProcessGameOverEvent(event);
    else
        ProcessPlayingEvent(event);
    return ScreenRequest::None;
}

ScreenRequest Game::ProcessGameOverEvent(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed && !m_gameOverView.TakesKey(event.key))
        return ProcessGameOverKey(event.key.code);
    const std::optional<int> chosen = m_gameOverView.Choose(event, GetMousePosition());
    if (!chosen)
        return ScreenRequest::None;
    if (*chosen == GameOverView::flowerPageButton)
        return OpenFlowerPage(*m_context);
    return *chosen == GameOverView::playAgainButton ? ScreenRequest::StartGame : ScreenRequest::OpenStartMenu;
}

ScreenRequest Game::ProcessGameOverKey(sf::Keyboard::Key key) const
{
    // Up is what the player was pressing when the game ended: it must not leave the screen.
    if (key == sf::Keyboard::Space)
        return ScreenRequest::StartGame;
    if (key == sf::Keyboard::Up)
        return ScreenRequest::None;
    return ScreenRequest::OpenStartMenu;
}

void Game::ProcessPlayingEvent(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed)
        ProcessPlayingKey(event.key.code);
    else if (IsLeftClick(event))
        TakeClick();
    else if (IsPadButtonPress(event, padPauseButton))
        TogglePause();
    else if (IsPadButtonPress(event, padChooseButton) ||
             (event.type == sf::Event::JoystickButtonPressed && m_state == GameState::Waiting))
        m_player.Jump(); // whichever button a pad calls A, its first press starts the game
    else if (event.type == sf::Event::JoystickDisconnected && m_state == GameState::Running)
        m_pausedByPlayer = true; // the runner must not run on unplayed; P or Start resumes
}

void Game::TakeClick()
{
    // A tap arrives as a click: on the pause control it pauses or resumes, anywhere else it jumps.
    if (m_headsUp.IsOnPauseControl(GetMousePosition()))
        TogglePause();
    else
        m_player.Jump();
}

void Game::ProcessPlayingKey(sf::Keyboard::Key key)
{
    if (key == sf::Keyboard::Up)
        m_player.Jump();
    else if (key == sf::Keyboard::P)
        TogglePause();
}

void Game::TogglePause()
{
    // Only the player's own pause: one made by the focus lasts until the focus is back.
    m_pausedByPlayer = !m_pausedByPlayer;
}

void Game::Update(float dt)
{
    if (m_context->touchUsed)
        m_headsUp.SpeakOfTapping();
    // The buttons' grace is the player's, on the wall clock; everything that moves keeps the game's time.
    if (m_state == GameState::GameOver)
        m_gameOverView.Update(std::min(dt, GameClock::longestGap), GetMousePosition());
    const GameSteps steps = m_clock.Split(dt);
    for (int step = 0; step < steps.count; ++step)
        Advance(steps.length);
}

void Game::Advance(float dt)
{
    if (IsPaused())
        return;
    if (m_state == GameState::GameOver)
    {
        m_headsUp.Blink(dt);
        return;
    }
    if (m_state == GameState::Running)
        m_headsUp.RemoveInstructions();
    PassScreenBoundaries();
    m_world.Scroll(dt);
    // Placed from the view rather than moved along with it, so that no rounding piles up over hours.
    m_player.Update(dt, GetViewLeft() + playerStartX);
    m_headsUp.ShowScore(m_world.GetScore());
    m_world.DriftClouds(dt);
    CheckFlowerContact();
    CollectGarbage();
}

void Game::PassScreenBoundaries()
{
    while (m_world.PassScreenBoundary())
        if (m_state == GameState::Running)
            AdvanceTimeline();
}

void Game::AdvanceTimeline()
{
    // The strip ahead is filled flowers first: the garbage goes into the gaps between them.
    if (const std::optional<Strip> strip = m_world.AdvanceTimeline())
    {
        GenerateSegmentFlowers(strip->segment, strip->fromX, strip->width);
        PlaceGarbage(strip->fromX);
    }
}

void Game::GenerateSegmentFlowers(const LevelSegment& segment, float fromX, float width)
{
    m_world.GenerateSegmentFlowers(segment, fromX, width);
}

void Game::PlaceGarbage(float segmentStart)
{
    m_world.PlaceGarbage(segmentStart);
}

void Game::CheckFlowerContact()
{
    if (m_world.CheckFlowerContact(m_player.GetBounds()))
        EndGame();
}

void Game::EndGame()
{
    m_state = GameState::GameOver;
    m_player.Hit();
    m_gameOverSound.play();
    ShowGameOver(m_world.InsertBestResult());
    WriteLog("game: over with " + std::to_string(m_world.GetScore()) + ".");
}

void Game::CollectGarbage()
{
    if (m_world.CollectGarbage(m_player.GetBounds()) > 0)
        m_pickupSound.play(); // from the beginning again if still sounding
}

void Game::ShowGameOver(int highlightedRow)
{
    // As saved, with what other copies of the game saved meanwhile.
    const BestResultsStore& bestResults = m_context->bestResults.Chosen();
    m_gameOverView.Show(bestResults.GetScores(), highlightedRow, bestResults.LastSaveFailed());
    m_gameOverView.ShowFlowerCard(*m_context, m_world.GetHitFlower());
}

void Game::Draw()
{
    DrawTo(*m_context->window);
}

void Game::DrawTo(sf::RenderTarget& target) const
{
    // The scroll is the game's; where the picture sits in the window, the frame loop has decided.
    sf::View view = m_world.GetView();
    view.setViewport(target.getView().getViewport());
    target.setView(view);
    m_world.Draw(target);
    target.draw(m_player.GetSprite());
    sf::RenderStates onScreen;
    onScreen.transform.translate(GetViewLeft(), 0.f);
    const bool over = m_state == GameState::GameOver;
    // Before the first jump too: the band tells why Up does nothing.
    m_headsUp.Draw(target, onScreen, over ? PlayView::Over : IsPaused() ? PlayView::Paused : PlayView::Playing);
    if (over)
        m_gameOverView.Draw(target, onScreen);
}
} // namespace kvelmora
