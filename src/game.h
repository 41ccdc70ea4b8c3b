#pragma once

#include "screen.h"
#include "best_results.h"
#include "controls.h"
#include "menu_focus.h"
#include "player.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sf
{
class RenderTarget;
}

namespace kvelmora
{

enum class GameState : int
{
    Waiting = 0,
    Running = 1,
    GameOver = 2,
};

// One row of the level timeline.
struct LevelSegment
{
    int lengthInScreens;
    float speed;                          // pixels per second, scrolling and running
    float minGap;                         // least extra gap before a flower cluster, fraction of the window width
    float maxGap;                         // greatest extra gap, fraction of the window width
    std::vector<std::string> sizeClasses; // one is drawn per cluster; see GenerateSegmentFlowers
    std::vector<int> clusterSizes;        // flowers per cluster, one drawn per cluster
};

// Keys of the game screen's texts; the collection is drawn in key order.
extern const std::string scoreTextKey;
extern const std::string instructionsTextKey;
extern const std::string gameOverTextKey;
extern const std::string scoreTableHeaderKey;
extern const std::string gameOverInstructionsKey;
extern const std::string saveFailedTextKey;  // under the hint when the best results could not be saved
extern const std::string playAgainButtonKey; // the game-over buttons, under the hint
extern const std::string startMenuButtonKey;
std::string ScoreTableRowKey(std::size_t row); // rows 0 to 4

// At least five characters, zeros in front (after a minus sign); longer scores keep all their digits.
std::wstring FormatScore(int score);

// Flowers of one cluster stand exactly this far apart.
constexpr float flowerSpacing = 3.f; // pixels

// The index of the last flower of the cluster holding flower `index`; `index` itself from the last on.
std::size_t FindClusterEnd(const std::vector<sf::Sprite>& flowers, std::size_t index);

// A flower counts only when the overlap is at least 5 pixels in both directions.
bool IsFlowerContact(const sf::FloatRect& runner, const sf::FloatRect& flower);

class Game final : public Screen
{
public:
    static constexpr int playAgainButton = 0; // the game-over buttons, left to right
    static constexpr int startMenuButton = 1;
    static constexpr int gameOverButtonCount = 2;
    static constexpr float gameOverGrace = 0.5f; // seconds after the crash when no click or pad button acts

    explicit Game(AppContext* context);
    ~Game() override;

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    // A long frame is played in steps of at most 1/30 s; a stall plays as a quarter of a second.
    void Update(float dt) override;
    void Draw() override;
    int GetView() const override { return m_state == GameState::GameOver ? 1 : 0; } // play, then results
    void DrawTo(sf::RenderTarget& target) const; // the same picture into any target, such as an off-screen one

    // What the runner reads from its game.
    bool IsPaused() const { return m_pausedByPlayer || m_pausedByFocus; }
    GameState GetState() const { return m_state; }
    void Start(); // the first jump: Waiting becomes Running
    float GetSpeed() const { return m_currentSegment.speed; }
    float GetJumpVelocity() const;
    float GetGravity() const;
    float GetGroundY() const;
    float GetViewLeft() const;

private:
    // Tests and measurements look inside and plant flowers through this one seam (bench/screen_probe.h).
    friend struct ScreenProbe;

    // The world's builders and checks, called by Update in this order.
    void SpawnClouds(float fromX, float width);
    void AdvanceTimeline();
    void GenerateSegmentFlowers(LevelSegment segment, float fromX, float width);
    void PlaceFlowerCluster(int count, float x);
    void PlaceGarbage(float segmentStart);
    void CheckFlowerContact();
    void CollectGarbage();
    void ShowGameOver(int highlightedRow);

    using TextureList = std::vector<std::reference_wrapper<const sf::Texture>>;

    sf::Vector2f GetWindowSize() const;
    sf::Text MakeText(const std::string& fontKey, unsigned int characterSize, const sf::String& string) const;
    void CreateScoreText();
    void CreateInstructionsText();
    void LoadTextures();
    void PlacePlayer();
    void Advance(float dt);
    void PassScreenBoundaries();
    void PassScreenBoundary(float windowWidth);
    void MoveWorldBack(float windowWidth);
    void DropPassedSprites();
    void Scroll(float dt);
    void Blink(float dt);
    void EndGame();
    float NextClusterLeft(const LevelSegment& segment, float stripStart) const;
    float NextCloudLeft(float fromX) const;
    void AddCloud(float x);
    void AddGarbageItem(float gapLeft, float gapRight);
    void DrawVisible(sf::RenderTarget& target, const std::vector<sf::Sprite>& sprites) const;
    void CreatePauseBand();
    void DrawPauseBand(sf::RenderTarget& target) const;
    void ShowGameOverButtons(float centreLine, float top);
    void UpdateGameOverButtons(float dt);
    std::optional<int> GetGameOverButtonAt(sf::Vector2f screenPosition) const;
    ScreenRequest ProcessGameOverEvent(const sf::Event& event);
    std::optional<int> ChooseGameOverButton(const sf::Event& event);
    ScreenRequest ProcessGameOverKey(sf::Keyboard::Key key) const;
    void ProcessPlayingEvent(const sf::Event& event);
    void ProcessPlayingKey(sf::Keyboard::Key key);
    void TogglePause();

    bool m_pausedByPlayer = false; // P, a pad's Start or a pad gone: lasts whatever the focus does
    bool m_pausedByFocus;          // ends only when the focus comes back
    GameState m_state = GameState::Waiting;
    std::vector<LevelSegment> m_segments;
    std::size_t m_segmentIndex = 0;
    LevelSegment m_currentSegment; // the row in force; its speed is the scrolling speed
    int m_segmentTick;             // screens counted within the current segment
    Player m_player;
    TextureList m_smallCloudTextures;
    TextureList m_largeCloudTextures;
    TextureList m_garbageTextures;
    TextureList m_flowerTextures;
    sf::Sound m_pickupSound;
    sf::Sound m_gameOverSound;
    std::map<std::string, sf::Text> m_texts;
    std::map<std::string, sf::Vector2f> m_textScreenPositions; // texts that scroll along keep these places
    sf::View m_view;
    float m_margin;            // least clearance the spawners keep, pixels
    int m_screensScrolled = 0; // screen boundaries passed since the world last moved back
    int m_score = 0;
    float m_blinkTimer = 0.f; // seconds since the score text last blinked
    // Left to right, from the last ones before the view on: what has scrolled out is dropped.
    std::vector<sf::Sprite> m_flowers;
    std::vector<sf::Sprite> m_garbage; // collected items removed
    std::vector<sf::Sprite> m_clouds;
    sf::RectangleShape m_pauseBand; // the band and its texts in screen coordinates
    sf::Text m_pauseCaption;
    sf::Text m_pauseHint;
    std::optional<float> m_gameOverSeconds; // since the view was first shown: the grace of clicks and pads
    MenuFocus m_gameOverFocus{gameOverButtonCount, playAgainButton};
    MenuControls m_gameOverControls{MenuLayout::Row};
};
} // namespace kvelmora
