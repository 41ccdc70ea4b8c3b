#include "game.h"

#include "assets.h"
#include "constants.h"
#include "log.h"
#include "random.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace kvelmora
{

namespace
{
const std::string smallClass = "small";
const std::string largeClass = "large";

constexpr float jumpVelocity = -2500.f;  // pixels per second, negative is up
constexpr float gravity = 7000.f;        // pixels per second squared
constexpr float cloudVelocity = -100.f;  // pixels per second through the world
constexpr float groundClearance = 100.f; // pixels between the ground line and the window's bottom
constexpr float marginShare = 0.01f;     // of the window width: the spawners' least clearance
constexpr float playerStartX = 50.f;     // pixels from the world's left edge
constexpr int cloudBatchScreens = 1;     // clouds are spawned every this many screens, for as many
constexpr int screensAhead = 1;          // a new strip starts at the view's right edge
// The world moves back by this many screens once the view has scrolled as far. Everything near the view,
// the eight screens of a strip ahead included, then stays below 2^17 pixels, where a float still resolves
// 1/128 pixel: the runner and the texts, placed from the view, stand where they stood in the first minute.
constexpr int rebaseScreens = 80;
static_assert(rebaseScreens % cloudBatchScreens == 0, "clouds are spawned in whole batches");
constexpr float longestStep = 1.f / 30.f; // seconds: at the top speed 25 pixels, narrower than any flower
constexpr float longestGap = 0.25f;       // seconds: a longer frame is a stall, played as this long
constexpr int firstSegmentTick = -2;      // the first boundary after the first jump reads -1
constexpr float emptyWorldRight = 0.8f;   // of the window width: where spawning starts with nothing placed
constexpr float cloudLead = 0.05f;        // of the window width: least distance before a cloud
constexpr float cloudSpread = 0.65f;      // of the window width: random extra distance before a cloud
constexpr float cloudBand = 0.4f;         // of the window height kept free of clouds above the ground
constexpr int largeCloudOdds = 6;         // one cloud in this many is large
constexpr int pointsPerItem = 100;
constexpr float minFlowerOverlap = 5.f;      // pixels in both directions
constexpr float firstBlinkInterval = 0.75f;  // seconds the score stays black
constexpr float secondBlinkInterval = 0.45f; // seconds the score stays white
constexpr unsigned int scoreCharacterSize = 35;
constexpr unsigned int instructionsCharacterSize = 22;
constexpr unsigned int gameOverCharacterSize = 22;
constexpr float scoreRightGap = 0.11f; // of the window width, right of the single starting digit
constexpr float scoreTop = 0.06f;      // of the window height
constexpr float instructionsTop = 0.18f;
constexpr float gameOverTop = 0.06f;
constexpr float tableTop = 0.16f;
constexpr float rowStepShare = 0.65f; // of the table heading's height
constexpr float hintTop = 0.5f;
constexpr int scoreDigits = 5;
constexpr float horizonLeftOverhang = 50.f; // pixels left of the view
constexpr float horizonAboveGround = 20.f;  // pixels
constexpr float horizonThickness = 0.5f;    // pixels
constexpr unsigned int horizonScreens = 5;  // window widths: always wider than the view

constexpr unsigned int gameOverButtonCharacterSize = 30; // as the start menu's buttons
constexpr float gameOverButtonsTop = 0.62f;              // of the window height, under the hint and the notice
constexpr float gameOverButtonGap = 0.08f;               // of the window width, between the two buttons
const sf::Color pauseBandColor(255, 255, 255, 210);      // translucent white: the frozen world shows through
const sf::Color pauseBandEdgeColor(140, 140, 140, 255);  // the band's edges show over the white sky too
constexpr float pauseBandEdge = 1.f;                     // pixels
constexpr float pauseBandTop = 0.38f;                    // of the window height
constexpr float pauseBandHeight = 0.22f;                 // of the window height
constexpr float pauseCaptionTop = 0.40f;                 // of the window height
constexpr float pauseHintTop = 0.50f;                    // of the window height
constexpr unsigned int pauseCaptionCharacterSize = 40;
constexpr unsigned int pauseHintCharacterSize = 22;

// Shared by every game of a run: a new game carries on the previous game's rhythm.
float blinkInterval = firstBlinkInterval;

std::vector<LevelSegment> MakeTimeline()
{
    const std::vector<std::string> both = {smallClass, largeClass};
    const std::vector<std::string> largeOnly = {largeClass};
    return {
        {8, 450.f, 0.4f, 0.6f, both, {1}},
        {8, 500.f, 0.4f, 0.6f, both, {1, 2}},
        {8, 550.f, 0.35f, 0.55f, both, {1, 2}},
        {8, 600.f, 0.35f, 0.55f, both, {1, 2}},
        {8, 650.f, 0.3f, 0.5f, both, {1, 2}},
        {8, 700.f, 0.45f, 0.7f, both, {1, 2, 3}},
        {8, 700.f, 0.3f, 0.6f, largeOnly, {1, 2, 3}},
        {8, 750.f, 0.3f, 0.6f, largeOnly, {1, 2, 3}},
    };
}

template <typename Entry>
const Entry& DrawEntry(const std::vector<Entry>& entries)
{
    assert(!entries.empty());
    return entries[static_cast<std::size_t>(DrawRandom()) % entries.size()];
}

float RightEdge(const sf::Sprite& sprite)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return bounds.left + bounds.width;
}

// The first sprite reaching past x. Sprites placed left to right without overlaps have ascending
// right edges as well, so halving finds it.
template <typename Sprites>
auto FirstReaching(Sprites& sprites, float x)
{
    return std::partition_point(sprites.begin(), sprites.end(), [x](const sf::Sprite& s) { return RightEdge(s) <= x; });
}

// Drops the sprites wholly left of x but keeps the last one: the spawners place the next beside it.
void DropBefore(std::vector<sf::Sprite>& sprites, float x)
{
    if (!sprites.empty())
        sprites.erase(sprites.begin(), std::min(FirstReaching(sprites, x), sprites.end() - 1));
}

float CentredX(float centreLine, const sf::Text& text)
{
    return centreLine - 0.5f * text.getGlobalBounds().width;
}
} // namespace

const std::string scoreTextKey = "score";
const std::string instructionsTextKey = "instructions";
const std::string gameOverTextKey = "gameOverText";
const std::string scoreTableHeaderKey = "scoreTableHeader";
const std::string gameOverInstructionsKey = "gameOverInstructions";
const std::string saveFailedTextKey = "saveFailed";
const std::string playAgainButtonKey = "gameOverPlayAgain";
const std::string startMenuButtonKey = "gameOverStartMenu";

std::string ScoreTableRowKey(std::size_t row)
{
    return "scoreTableRow" + std::to_string(row);
}

std::wstring FormatScore(int score)
{
    // The zeros go after a minus sign: -1 reads -0001.
    std::wstring text = std::to_wstring(score);
    const std::size_t signLength = score < 0 ? 1 : 0;
    if (text.size() < scoreDigits)
        text.insert(signLength, scoreDigits - text.size(), L'0');
    return text;
}

std::size_t FindClusterEnd(const std::vector<sf::Sprite>& flowers, std::size_t index)
{
    // Exact equality holds between neighbours placed by PlaceFlowerCluster and never between clusters.
    while (index + 1 < flowers.size() &&
           RightEdge(flowers[index]) + flowerSpacing == flowers[index + 1].getGlobalBounds().left)
        ++index;
    return index;
}

bool IsFlowerContact(const sf::FloatRect& runner, const sf::FloatRect& flower)
{
    sf::FloatRect overlap;
    return runner.intersects(flower, overlap) && overlap.width >= minFlowerOverlap &&
           overlap.height >= minFlowerOverlap;
}

Game::Game(AppContext* context)
    : Screen(context)
    , m_pausedByFocus(!context->hasFocus) // a game started without the focus waits for it
    , m_segments(MakeTimeline())
    , m_currentSegment(m_segments[m_segmentIndex])
    , m_segmentTick(firstSegmentTick)
    , m_player(*this, m_context->textures[playerTextureKey])
    , m_pickupSound(m_context->soundBuffers[pickupSoundKey])
    , m_gameOverSound(m_context->soundBuffers[gameOverSoundKey])
    , m_view(GetLogicalView())
    , m_margin(marginShare * GetWindowSize().x)
{
    CreateScoreText();
    CreateInstructionsText();
    CreatePauseBand();
    LoadTextures();
    PlacePlayer();
    SpawnClouds(0.f, static_cast<float>(cloudBatchScreens + screensAhead) * GetWindowSize().x);
}

Game::~Game()
{
    // The menus that follow draw without scrolling.
    m_context->window->setView(GetLogicalView());
}

sf::Vector2f Game::GetWindowSize() const
{
    return GetLogicalSize();
}

sf::Text Game::MakeText(const std::string& fontKey, unsigned int characterSize, const sf::String& string) const
{
    sf::Text text(string, m_context->fonts[fontKey], characterSize);
    text.setFillColor(textColor);
    return text;
}

void Game::CreateScoreText()
{
    // Placed once from the single starting digit; longer scores reach further right.
    const sf::Vector2f window = GetWindowSize();
    sf::Text score = MakeText(boldFontKey, scoreCharacterSize, sf::String(std::to_wstring(m_score)));
    score.setPosition(window.x - score.getGlobalBounds().width - scoreRightGap * window.x, scoreTop * window.y);
    m_texts[scoreTextKey] = score;
    m_textScreenPositions[scoreTextKey] = score.getPosition();
}

void Game::CreateInstructionsText()
{
    const sf::Vector2f window = GetWindowSize();
    sf::Text instructions = MakeText(regularFontKey, instructionsCharacterSize, sf::String(gameInstructions));
    instructions.setPosition(CentredX(0.5f * window.x, instructions), instructionsTop * window.y);
    m_texts[instructionsTextKey] = instructions;
    m_textScreenPositions[instructionsTextKey] = instructions.getPosition();
}

void Game::CreatePauseBand()
{
    const sf::Vector2f window = GetWindowSize();
    m_pauseBand.setSize({window.x, pauseBandHeight * window.y});
    m_pauseBand.setPosition(0.f, pauseBandTop * window.y);
    m_pauseBand.setFillColor(pauseBandColor);
    m_pauseBand.setOutlineColor(pauseBandEdgeColor);
    m_pauseBand.setOutlineThickness(pauseBandEdge);
    m_pauseCaption = MakeText(boldFontKey, pauseCaptionCharacterSize, sf::String(pauseCaption));
    m_pauseCaption.setPosition(CentredX(0.5f * window.x, m_pauseCaption), pauseCaptionTop * window.y);
    m_pauseHint = MakeText(regularFontKey, pauseHintCharacterSize, sf::String(pauseHint));
    m_pauseHint.setPosition(CentredX(0.5f * window.x, m_pauseHint), pauseHintTop * window.y);
}

void Game::LoadTextures()
{
    auto& textures = m_context->textures;
    m_smallCloudTextures = {textures[smallCloud1Key], textures[smallCloud2Key]};
    m_largeCloudTextures = {textures[largeCloud1Key], textures[largeCloud2Key]};
    // Only the four kinds that have pictures: an item without one could never be seen or collected.
    m_garbageTextures = {textures[canKey], textures[cokeCanKey], textures[glassBottleKey], textures[plasticBottleKey]};
    m_flowerTextures = {textures[lenKey], textures[hvezdniceKey], textures[sasankaKey]};
}

void Game::PlacePlayer()
{
    m_player.SetPosition({playerStartX, GetGroundY() - m_player.GetBounds().height});
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

float Game::GetGroundY() const
{
    return GetWindowSize().y - groundClearance;
}

float Game::GetViewLeft() const
{
    return m_view.getCenter().x - 0.5f * m_view.getSize().x;
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
    if (event.type == sf::Event::KeyPressed)
        return ProcessGameOverKey(event.key.code);
    const std::optional<int> chosen = ChooseGameOverButton(event);
    if (!chosen)
        return ScreenRequest::None;
    return *chosen == playAgainButton ? ScreenRequest::StartGame : ScreenRequest::OpenStartMenu;
}

std::optional<int> Game::ChooseGameOverButton(const sf::Event& event)
{
    // A jump pressed as the runner crashed must not skip the results: for a moment clicks and the
    // pad's buttons do nothing, while its pushes already move the focus.
    const bool settled = m_gameOverSeconds.value_or(0.f) >= gameOverGrace;
    if (IsLeftClick(event))
        return settled ? GetGameOverButtonAt(GetMousePosition()) : std::nullopt;
    const MenuAction action = m_gameOverControls.Take(event);
    if (action == MenuAction::Next || action == MenuAction::Previous)
        return m_gameOverFocus.Take(action);
    if (!settled)
        return std::nullopt;
    return action == MenuAction::Back ? startMenuButton : m_gameOverFocus.Take(action);
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
        m_player.Jump(); // a tap arrives as a click
    else if (IsPadButtonPress(event, padPauseButton))
        TogglePause();
    else if (IsPadButtonPress(event, padChooseButton) ||
             (event.type == sf::Event::JoystickButtonPressed && m_state == GameState::Waiting))
        m_player.Jump(); // whichever button a pad calls A, its first press starts the game
    else if (event.type == sf::Event::JoystickDisconnected && m_state == GameState::Running)
        m_pausedByPlayer = true; // the runner must not run on unplayed; P or Start resumes
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
    if (m_state == GameState::GameOver)
        UpdateGameOverButtons(dt);
    // A frame after a stall (a dragged window, a suspend) is not played back in full, and a long one
    // goes in equal steps short enough that no flower, item or screen boundary is passed over.
    const float played = std::min(dt, longestGap);
    const int steps = played > longestStep ? static_cast<int>(std::ceil(played / longestStep)) : 1;
    for (int step = 0; step < steps; ++step)
        Advance(played / static_cast<float>(steps));
}

void Game::Advance(float dt)
{
    if (IsPaused())
        return;
    if (m_state == GameState::GameOver)
    {
        Blink(dt);
        return;
    }
    if (m_state == GameState::Running)
    {
        m_texts.erase(instructionsTextKey);
        m_textScreenPositions.erase(instructionsTextKey);
    }
    PassScreenBoundaries();
    Scroll(dt);
    // Placed from the view rather than moved along with it, so that no rounding piles up over hours.
    const float viewLeft = GetViewLeft();
    m_player.Update(dt, viewLeft + playerStartX);
    m_texts[scoreTextKey].setString(sf::String(FormatScore(m_score)));
    for (const auto& [key, position] : m_textScreenPositions)
        m_texts[key].setPosition(viewLeft + position.x, position.y);
    for (sf::Sprite& cloud : m_clouds)
        cloud.move(cloudVelocity * dt, 0.f);
    CheckFlowerContact();
    CollectGarbage();
}

void Game::PassScreenBoundaries()
{
    // Judged on the view as it stands before this step's scroll, and counted from the view itself,
    // so the strips keep to its right edge however the floats round.
    const float windowWidth = GetWindowSize().x;
    while (GetViewLeft() >= static_cast<float>(m_screensScrolled + 1) * windowWidth)
        PassScreenBoundary(windowWidth);
}

void Game::PassScreenBoundary(float windowWidth)
{
    ++m_screensScrolled;
    if (m_screensScrolled == rebaseScreens)
        MoveWorldBack(windowWidth);
    DropPassedSprites();
    if (m_screensScrolled % cloudBatchScreens == 0)
        SpawnClouds(static_cast<float>(screensAhead + m_screensScrolled) * windowWidth,
                    static_cast<float>(cloudBatchScreens) * windowWidth);
    if (m_state == GameState::Running)
        AdvanceTimeline();
}

void Game::MoveWorldBack(float windowWidth)
{
    // By whole screens, which every position below 2^24 pixels takes exactly: nothing moves against
    // anything else, and the screen boundaries stay where they were.
    const sf::Vector2f back(-static_cast<float>(rebaseScreens) * windowWidth, 0.f);
    m_view.move(back);
    m_player.SetPosition(m_player.GetSprite().getPosition() + back);
    for (auto& [key, text] : m_texts)
        text.move(back);
    for (std::vector<sf::Sprite>* sprites : {&m_clouds, &m_flowers, &m_garbage})
        for (sf::Sprite& sprite : *sprites)
            sprite.move(back);
    m_screensScrolled -= rebaseScreens;
}

void Game::DropPassedSprites()
{
    // Nothing comes back into view: the view only moves right and the clouds drift left.
    const float viewLeft = GetViewLeft();
    for (std::vector<sf::Sprite>* sprites : {&m_clouds, &m_flowers, &m_garbage})
        DropBefore(*sprites, viewLeft);
}

void Game::Scroll(float dt)
{
    m_view.move(m_currentSegment.speed * dt, 0.f);
}

void Game::Blink(float dt)
{
    m_blinkTimer += dt;
    if (m_blinkTimer < blinkInterval)
        return;
    m_blinkTimer -= blinkInterval;
    sf::Text& score = m_texts[scoreTextKey];
    score.setFillColor(score.getFillColor() == sf::Color::Black ? sf::Color::White : sf::Color::Black);
    blinkInterval = blinkInterval == firstBlinkInterval ? secondBlinkInterval : firstBlinkInterval;
}

void Game::AdvanceTimeline()
{
    ++m_segmentTick;
    const bool firstStep = m_segmentTick == firstSegmentTick + 1 && m_segmentIndex == 0;
    const std::size_t last = m_segments.size() - 1;
    const LevelSegment& inForce = m_segments[m_segmentIndex];
    if (firstStep || m_segmentTick == inForce.lengthInScreens - 1)
    {
        // The coming segment's strip begins at the view's right edge.
        const float windowWidth = GetWindowSize().x;
        const float fromX = static_cast<float>(screensAhead + m_screensScrolled) * windowWidth;
        const float width = static_cast<float>(inForce.lengthInScreens) * windowWidth;
        const std::size_t coming = firstStep ? 0 : std::min(m_segmentIndex + 1, last);
        GenerateSegmentFlowers(m_segments[coming], fromX, width);
        PlaceGarbage(fromX);
    }
    if (m_segmentTick == inForce.lengthInScreens)
    {
        // The view's left edge has just reached the coming segment's strip.
        if (m_segmentIndex != last)
            m_currentSegment = m_segments[++m_segmentIndex];
        m_segmentTick = 0;
    }
}

void Game::SpawnClouds(float fromX, float width)
{
    const float end = fromX + width;
    for (float x = NextCloudLeft(fromX); x < end; x = NextCloudLeft(fromX))
        AddCloud(x);
}

float Game::NextCloudLeft(float fromX) const
{
    const float windowWidth = GetWindowSize().x;
    const float previousRight = m_clouds.empty() ? emptyWorldRight * windowWidth : RightEdge(m_clouds.back());
    const float base = std::max(previousRight + m_margin, fromX);
    return base + cloudLead * windowWidth + DrawFraction() * cloudSpread * windowWidth;
}

void Game::AddCloud(float x)
{
    const bool large = DrawRandom() % largeCloudOdds == 0;
    const sf::Texture& texture = DrawEntry(large ? m_largeCloudTextures : m_smallCloudTextures);
    sf::Sprite cloud(texture);
    // The band above the ground stays clear: a cloud's bottom never comes below it.
    const float band = cloudBand * GetWindowSize().y;
    const float lowestTop = GetGroundY() - band - static_cast<float>(texture.getSize().y);
    cloud.setPosition(x, lowestTop * DrawFraction());
    m_clouds.push_back(cloud);
}

void Game::GenerateSegmentFlowers(LevelSegment segment, float fromX, float width)
{
    const float end = fromX + width;
    for (float x = NextClusterLeft(segment, fromX); x < end; x = NextClusterLeft(segment, fromX))
    {
        // The size class governs nothing yet; it is drawn so the sequence of draws stays as planned.
        DrawEntry(segment.sizeClasses);
        PlaceFlowerCluster(DrawEntry(segment.clusterSizes), x);
    }
}

float Game::NextClusterLeft(const LevelSegment& segment, float stripStart) const
{
    const float windowWidth = GetWindowSize().x;
    const float previousRight = m_flowers.empty() ? emptyWorldRight * windowWidth : RightEdge(m_flowers.back());
    const float base = std::max(stripStart, previousRight + m_margin);
    const float leastGap = segment.minGap * windowWidth;
    const float greatestGap = segment.maxGap * windowWidth;
    return base + leastGap + (greatestGap - leastGap) * DrawFraction();
}

void Game::PlaceFlowerCluster(int count, float x)
{
    for (int i = 0; i < count; ++i)
    {
        const sf::Texture& texture = DrawEntry(m_flowerTextures);
        const sf::Vector2f size(texture.getSize());
        sf::Sprite flower(texture);
        flower.setPosition(x, GetGroundY() - size.y);
        m_flowers.push_back(flower);
        x += size.x + flowerSpacing;
    }
}

void Game::PlaceGarbage(float segmentStart)
{
    if (m_flowers.empty())
        return;
    const std::size_t lastFlower = m_flowers.size() - 1;
    // Skip the clusters that end before the segment; one that ends exactly at its start is kept.
    std::size_t clusterEndIndex = FindClusterEnd(m_flowers, 0);
    while (segmentStart > RightEdge(m_flowers[clusterEndIndex]) && clusterEndIndex != lastFlower)
        clusterEndIndex = FindClusterEnd(m_flowers, clusterEndIndex + 1);
    // Each strip places at least one cluster that reaches its start.
    assert(segmentStart <= RightEdge(m_flowers[clusterEndIndex]) && "clusterEndIndex != m_flowers.size() - 1");
    while (clusterEndIndex < lastFlower)
    {
        AddGarbageItem(RightEdge(m_flowers[clusterEndIndex]), m_flowers[clusterEndIndex + 1].getGlobalBounds().left);
        clusterEndIndex = FindClusterEnd(m_flowers, clusterEndIndex + 1);
    }
}

void Game::AddGarbageItem(float gapLeft, float gapRight)
{
    const sf::Texture& texture = DrawEntry(m_garbageTextures);
    const sf::Vector2f size(texture.getSize());
    const float lowest = gapLeft + m_margin;
    const float highest = gapRight - m_margin - size.x;
    sf::Sprite item(texture);
    item.setPosition(lowest + (highest - lowest) * DrawFraction(), GetGroundY() - size.y);
    m_garbage.push_back(item);
}

void Game::CheckFlowerContact()
{
    // Only the flowers under the runner; the others lie wholly to one side of it.
    const sf::FloatRect runner = m_player.GetBounds();
    const float runnerRight = runner.left + runner.width;
    for (auto flower = FirstReaching(m_flowers, runner.left);
         flower != m_flowers.end() && flower->getGlobalBounds().left < runnerRight; ++flower)
    {
        if (IsFlowerContact(runner, flower->getGlobalBounds()))
        {
            EndGame();
            return;
        }
    }
}

void Game::EndGame()
{
    m_state = GameState::GameOver;
    m_player.Hit();
    m_gameOverSound.play();
    // Saved now rather than at exit: a kill, a crash or a lost display later keeps this result.
    m_context->bestResults.Add(m_score);
    m_context->bestResults.Save();
    ShowGameOver(m_context->bestResults.GetNewestRow());
    WriteLog("game: over with " + std::to_string(m_score) + ".");
}

void Game::CollectGarbage()
{
    // Only the items under the runner, removed in place to keep the order.
    const sf::FloatRect runner = m_player.GetBounds();
    const float runnerRight = runner.left + runner.width;
    auto item = FirstReaching(m_garbage, runner.left);
    while (item != m_garbage.end() && item->getGlobalBounds().left < runnerRight)
    {
        if (!runner.intersects(item->getGlobalBounds()))
        {
            ++item;
            continue;
        }
        m_score += pointsPerItem;
        m_pickupSound.play(); // from the beginning again if still sounding
        item = m_garbage.erase(item);
    }
}

void Game::ShowGameOver(int highlightedRow)
{
    // Centred on the screen as the view stands now; the view no longer moves.
    const sf::Vector2f window = GetWindowSize();
    const float centreLine = GetViewLeft() + 0.5f * window.x;

    sf::Text caption = MakeText(boldFontKey, gameOverCharacterSize, sf::String(gameOverCaption));
    caption.setPosition(CentredX(centreLine, caption), gameOverTop * window.y);
    m_texts[gameOverTextKey] = caption;

    sf::Text header = MakeText(boldFontKey, gameOverCharacterSize, sf::String(bestResultsHeading));
    header.setPosition(CentredX(centreLine, header), tableTop * window.y);
    m_texts[scoreTableHeaderKey] = header;

    // The heading's final line break counts in its height, and so in the row step.
    const float rowStep = rowStepShare * header.getGlobalBounds().height;
    float rowLeft = 0.f;
    // As saved, with what other copies of the game saved meanwhile.
    const std::vector<int>& scores = m_context->bestResults.GetScores();
    for (std::size_t row = 0; row < scores.size(); ++row)
    {
        const bool highlighted = static_cast<int>(row) == highlightedRow;
        const std::wstring line = std::to_wstring(row + 1) + L". " + FormatScore(scores[row]) + L"\n";
        sf::Text text = MakeText(highlighted ? boldFontKey : regularFontKey, gameOverCharacterSize, sf::String(line));
        if (row == 0)
            rowLeft = CentredX(centreLine, text);
        text.setPosition(rowLeft, tableTop * window.y + static_cast<float>(row + 1) * rowStep);
        m_texts[ScoreTableRowKey(row)] = text;
    }

    sf::Text hint = MakeText(regularFontKey, gameOverCharacterSize, sf::String(gameOverHint));
    hint.setPosition(CentredX(centreLine, hint), hintTop * window.y);
    m_texts[gameOverInstructionsKey] = hint;

    ShowGameOverButtons(centreLine, gameOverButtonsTop * window.y);

    if (m_context->bestResults.LastSaveFailed())
    {
        constexpr unsigned int noticeCharacterSize = 16; // smaller than the hint above it
        constexpr float noticeTop = 0.56f;               // of the window height, one line under the hint
        sf::Text notice = MakeText(regularFontKey, noticeCharacterSize, sf::String(saveFailedNotice));
        notice.setPosition(CentredX(centreLine, notice), noticeTop * window.y);
        m_texts[saveFailedTextKey] = notice;
    }
}

void Game::ShowGameOverButtons(float centreLine, float top)
{
    const float halfGap = 0.5f * gameOverButtonGap * GetWindowSize().x;
    sf::Text playAgain = MakeText(boldFontKey, gameOverButtonCharacterSize, sf::String(playAgainButtonText));
    playAgain.setPosition(centreLine - halfGap - playAgain.getGlobalBounds().width, top);
    m_texts[playAgainButtonKey] = playAgain;
    sf::Text startMenu = MakeText(boldFontKey, gameOverButtonCharacterSize, sf::String(startMenuButtonText));
    startMenu.setPosition(centreLine + halfGap, top);
    m_texts[startMenuButtonKey] = startMenu;
}

void Game::UpdateGameOverButtons(float dt)
{
    // The first frame's time passed mostly before the view was shown, a slow save included; a later
    // stall counts no more than it plays.
    m_gameOverSeconds = m_gameOverSeconds ? *m_gameOverSeconds + std::min(dt, longestGap) : 0.f;
    m_gameOverFocus.Point(GetGameOverButtonAt(GetMousePosition()));
    for (const auto& [button, key] :
         {std::pair{playAgainButton, playAgainButtonKey}, {startMenuButton, startMenuButtonKey}})
        m_texts[key].setFillColor(m_gameOverFocus.IsHighlighted(button) ? highlightColor : textColor);
}

std::optional<int> Game::GetGameOverButtonAt(sf::Vector2f screenPosition) const
{
    // The buttons stand in the world, where the view stopped.
    const sf::Vector2f world(screenPosition.x + GetViewLeft(), screenPosition.y);
    if (m_texts.at(playAgainButtonKey).getGlobalBounds().contains(world))
        return playAgainButton;
    if (m_texts.at(startMenuButtonKey).getGlobalBounds().contains(world))
        return startMenuButton;
    return std::nullopt;
}

void Game::Draw()
{
    DrawTo(*m_context->window);
}

void Game::DrawTo(sf::RenderTarget& target) const
{
    // The scroll is the game's; where the picture sits in the window, the frame loop has decided.
    sf::View view = m_view;
    view.setViewport(target.getView().getViewport());
    target.setView(view);
    const float windowWidth = GetWindowSize().x;
    sf::RectangleShape horizon({static_cast<float>(horizonScreens) * windowWidth, horizonThickness});
    horizon.setFillColor(sf::Color::Black);
    horizon.setPosition(GetViewLeft() - horizonLeftOverhang, GetGroundY() - horizonAboveGround);
    target.draw(horizon);
    DrawVisible(target, m_clouds);
    DrawVisible(target, m_flowers);
    DrawVisible(target, m_garbage);
    target.draw(m_player.GetSprite());
    for (const auto& [key, text] : m_texts)
        target.draw(text);
    // Before the first jump too: the band tells why Up does nothing.
    if (IsPaused() && m_state != GameState::GameOver)
        DrawPauseBand(target);
}

void Game::DrawPauseBand(sf::RenderTarget& target) const
{
    sf::RenderStates onScreen;
    onScreen.transform.translate(GetViewLeft(), 0.f);
    target.draw(m_pauseBand, onScreen);
    target.draw(m_pauseCaption, onScreen);
    target.draw(m_pauseHint, onScreen);
}

void Game::DrawVisible(sf::RenderTarget& target, const std::vector<sf::Sprite>& sprites) const
{
    // The sprites in view form one run.
    const float viewLeft = GetViewLeft();
    const float viewRight = viewLeft + m_view.getSize().x;
    for (auto sprite = FirstReaching(sprites, viewLeft);
         sprite != sprites.end() && sprite->getGlobalBounds().left < viewRight; ++sprite)
        target.draw(*sprite);
}
} // namespace kvelmora
