#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sf
{
class RenderTarget;
}

namespace kvelmora
{
class BestResultsStore;

// One row of the level timeline.
struct LevelSegment
{
    int lengthInScreens;
    float speed;                   // pixels per second, scrolling and running
    float minGap;                  // least extra gap before a flower cluster, fraction of the window width
    float maxGap;                  // greatest extra gap, fraction of the window width
    std::vector<int> clusterSizes; // flowers per cluster, one drawn per cluster
};

// A strip of the world that has come due: to be filled with one row's flowers, then garbage.
struct Strip
{
    LevelSegment segment;
    float fromX;
    float width;
};

// Each kind of thing the world places is a sprite showing its whole picture at the origin; the world
// copies it into place and measures it by its texture rectangle, so it runs without any picture.
using Looks = std::vector<sf::Sprite>;

struct FlowerKind
{
    std::string name; // the flower's key
    sf::Sprite look;
};

struct WorldLooks
{
    Looks smallClouds;
    Looks largeClouds;
    Looks garbage;
    std::vector<FlowerKind> flowers;
};

// The index of the last flower of the cluster holding flower `index`; `index` itself from the last on.
std::size_t FindClusterEnd(const std::vector<sf::Sprite>& flowers, std::size_t index);

// The meadow that scrolls past the runner: the level timeline, the clouds, flowers and garbage ahead,
// the score, and the end of a game. It keeps its own coordinates small on an endless run.
class World final
{
public:
    World(WorldLooks looks, BestResultsStore& bestResults);

    float GetSpeed() const { return m_currentSegment.speed; }
    float GetGroundY() const;
    float GetViewLeft() const;
    const sf::View& GetView() const { return m_view; }
    int GetScore() const { return m_score; }
    // The name of the kind of flower that ended the game; empty while none was hit.
    const std::string& GetHitFlower() const { return m_hitFlower; }

    // Counts the next screen boundary once the view has reached it: moves the world back when due,
    // drops what has scrolled out and places the clouds of the screen ahead. False when not reached.
    bool PassScreenBoundary();
    // Counts a screen of the timeline and switches rows when due; the strip to fill, if one is due.
    std::optional<Strip> AdvanceTimeline();
    void GenerateSegmentFlowers(const LevelSegment& segment, float fromX, float width);
    void PlaceFlowerCluster(int count, float x);
    void PlaceGarbage(float segmentStart);
    void Scroll(float dt);
    void DriftClouds(float dt);
    // True when the runner stands on a flower; the flower's kind is kept.
    bool CheckFlowerContact(const sf::FloatRect& runner);
    // Removes the items the runner touches and scores them; how many.
    int CollectGarbage(const sf::FloatRect& runner);
    // Enters the score into the best results and saves them at once; the score's row or -1.
    int InsertBestResult();

    void Draw(sf::RenderTarget& target) const; // the horizon, clouds, flowers and garbage in view

private:
    // Tests and measurements look inside through this one seam (probe/screen_probe.h).
    friend struct ScreenProbe;

    void SpawnClouds(float fromX, float width);
    float NextCloudLeft(float fromX) const;
    void AddCloud(float x);
    float NextClusterLeft(const LevelSegment& segment, float stripStart) const;
    void AddGarbageItem(float gapLeft, float gapRight);
    void MoveWorldBack();
    void DropPassedSprites();
    void DrawVisible(sf::RenderTarget& target, const std::vector<sf::Sprite>& sprites) const;

    WorldLooks m_looks;
    BestResultsStore& m_bestResults;
    std::vector<LevelSegment> m_segments;
    std::size_t m_segmentIndex = 0;
    LevelSegment m_currentSegment; // the row in force; its speed is the scrolling speed
    int m_segmentTick;             // screens counted within the current segment
    sf::View m_view;
    float m_margin;            // least clearance the spawners keep, pixels
    int m_screensScrolled = 0; // screen boundaries passed since the world last moved back
    int m_score = 0;
    std::string m_hitFlower;
    // Left to right, from the last ones before the view on: what has scrolled out is dropped.
    std::vector<sf::Sprite> m_flowers;
    std::vector<std::size_t> m_flowerKinds; // of each flower, its index in the looks
    std::vector<sf::Sprite> m_garbage;      // collected items removed
    std::vector<sf::Sprite> m_clouds;
};
} // namespace kvelmora
