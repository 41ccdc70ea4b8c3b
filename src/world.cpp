#include "world.h"

#include "best_results.h"
#include "random.h"
#include "window_fit.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cassert>
#include <utility>

namespace kvelmora
{

namespace
{
constexpr float groundClearance = 100.f; // pixels between the ground line and the window's bottom
constexpr float marginShare = 0.01f;     // of the window width: the spawners' least clearance
constexpr float cloudVelocity = -100.f;  // pixels per second through the world
constexpr int cloudBatchScreens = 1;     // clouds are spawned every this many screens, for as many
constexpr int screensAhead = 1;          // a new strip starts at the view's right edge
// The world moves back by this many screens once the view has scrolled as far. Everything near the view,
// the eight screens of a strip ahead included, then stays below 2^17 pixels, where a float still resolves
// 1/128 pixel: the runner, placed from the view, stands where it stood in the first minute.
constexpr int rebaseScreens = 80;
static_assert(rebaseScreens % cloudBatchScreens == 0, "clouds are spawned in whole batches");
constexpr int firstSegmentTick = -2;    // the first boundary after the first jump reads -1
constexpr float emptyWorldRight = 0.8f; // of the window width: where spawning starts with nothing placed
constexpr float cloudLead = 0.05f;      // of the window width: least distance before a cloud
constexpr float cloudSpread = 0.65f;    // of the window width: random extra distance before a cloud
constexpr float cloudBand = 0.4f;       // of the window height kept free of clouds above the ground
constexpr int largeCloudOdds = 6;       // one cloud in this many is large
constexpr float flowerSpacing = 3.f;    // pixels between the flowers of one cluster
constexpr int pointsPerItem = 100;
constexpr float minFlowerOverlap = 5.f;     // pixels in both directions
constexpr float horizonLeftOverhang = 50.f; // pixels left of the view
constexpr float horizonAboveGround = 20.f;  // pixels
constexpr float horizonThickness = 0.5f;    // pixels
constexpr float horizonScreens = 5.f;       // window widths: always wider than the view

std::vector<LevelSegment> MakeTimeline()
{
    return {
        {8, 450.f, 0.4f, 0.6f, {1}},       {8, 500.f, 0.4f, 0.6f, {1, 2}},    {8, 550.f, 0.35f, 0.55f, {1, 2}},
        {8, 600.f, 0.35f, 0.55f, {1, 2}},  {8, 650.f, 0.3f, 0.5f, {1, 2}},    {8, 700.f, 0.45f, 0.7f, {1, 2, 3}},
        {8, 700.f, 0.3f, 0.6f, {1, 2, 3}}, {8, 750.f, 0.3f, 0.6f, {1, 2, 3}},
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

sf::Vector2f SizeOf(const sf::Sprite& look)
{
    const sf::FloatRect bounds = look.getLocalBounds();
    return {bounds.width, bounds.height};
}

// The first sprite reaching past x. Sprites placed left to right without overlaps have ascending
// right edges as well, so halving finds it.
template <typename Sprites>
auto FirstReaching(Sprites& sprites, float x)
{
    return std::partition_point(sprites.begin(), sprites.end(), [x](const sf::Sprite& s) { return RightEdge(s) <= x; });
}

// Drops the sprites wholly left of x but keeps the last one: the spawners place the next beside it.
// Returns how many went.
std::ptrdiff_t DropBefore(std::vector<sf::Sprite>& sprites, float x)
{
    if (sprites.empty())
        return 0;
    const auto kept = std::min(FirstReaching(sprites, x), sprites.end() - 1);
    const std::ptrdiff_t dropped = kept - sprites.begin();
    sprites.erase(sprites.begin(), kept);
    return dropped;
}

// A flower counts only when the overlap is at least 5 pixels in both directions.
bool IsFlowerContact(const sf::FloatRect& runner, const sf::FloatRect& flower)
{
    sf::FloatRect overlap;
    return runner.intersects(flower, overlap) && overlap.width >= minFlowerOverlap &&
           overlap.height >= minFlowerOverlap;
}
} // namespace

std::size_t FindClusterEnd(const std::vector<sf::Sprite>& flowers, std::size_t index)
{
    // Exact equality holds between neighbours placed by PlaceFlowerCluster and never between clusters.
    while (index + 1 < flowers.size() &&
           RightEdge(flowers[index]) + flowerSpacing == flowers[index + 1].getGlobalBounds().left)
        ++index;
    return index;
}

World::World(WorldLooks looks, BestResultsStore& bestResults)
    : m_looks(std::move(looks))
    , m_bestResults(bestResults)
    , m_segments(MakeTimeline())
    , m_currentSegment(m_segments[m_segmentIndex])
    , m_segmentTick(firstSegmentTick)
    , m_view(GetLogicalView())
    , m_margin(marginShare * GetLogicalSize().x)
{
    SpawnClouds(0.f, static_cast<float>(cloudBatchScreens + screensAhead) * GetLogicalSize().x);
}

float World::GetGroundY() const
{
    return GetLogicalSize().y - groundClearance;
}

float World::GetViewLeft() const
{
    return m_view.getCenter().x - 0.5f * m_view.getSize().x;
}

bool World::PassScreenBoundary()
{
    // Judged on the view as it stands before this step's scroll, and counted from the view itself,
    // so the strips keep to its right edge however the floats round.
    const float windowWidth = GetLogicalSize().x;
    if (GetViewLeft() < static_cast<float>(m_screensScrolled + 1) * windowWidth)
        return false;
    ++m_screensScrolled;
    if (m_screensScrolled == rebaseScreens)
        MoveWorldBack();
    DropPassedSprites();
    if (m_screensScrolled % cloudBatchScreens == 0)
        SpawnClouds(static_cast<float>(screensAhead + m_screensScrolled) * windowWidth,
                    static_cast<float>(cloudBatchScreens) * windowWidth);
    return true;
}

void World::MoveWorldBack()
{
    // By whole screens, which every position below 2^24 pixels takes exactly: nothing moves against
    // anything else, and the screen boundaries stay where they were.
    const sf::Vector2f back(-static_cast<float>(rebaseScreens) * GetLogicalSize().x, 0.f);
    m_view.move(back);
    for (std::vector<sf::Sprite>* sprites : {&m_clouds, &m_flowers, &m_garbage})
        for (sf::Sprite& sprite : *sprites)
            sprite.move(back);
    m_screensScrolled -= rebaseScreens;
}

void World::DropPassedSprites()
{
    // Nothing comes back into view: the view only moves right and the clouds drift left.
    const float viewLeft = GetViewLeft();
    DropBefore(m_clouds, viewLeft);
    DropBefore(m_garbage, viewLeft);
    m_flowerKinds.erase(m_flowerKinds.begin(), m_flowerKinds.begin() + DropBefore(m_flowers, viewLeft));
}

std::optional<Strip> World::AdvanceTimeline()
{
    ++m_segmentTick;
    const bool firstStep = m_segmentTick == firstSegmentTick + 1 && m_segmentIndex == 0;
    const std::size_t last = m_segments.size() - 1;
    const LevelSegment& inForce = m_segments[m_segmentIndex];
    if (firstStep || m_segmentTick == inForce.lengthInScreens - 1)
    {
        // The coming segment's strip begins at the view's right edge.
        const float windowWidth = GetLogicalSize().x;
        const float fromX = static_cast<float>(screensAhead + m_screensScrolled) * windowWidth;
        const float width = static_cast<float>(inForce.lengthInScreens) * windowWidth;
        const std::size_t coming = firstStep ? 0 : std::min(m_segmentIndex + 1, last);
        return Strip{m_segments[coming], fromX, width};
    }
    if (m_segmentTick == inForce.lengthInScreens)
    {
        // The view's left edge has just reached the coming segment's strip.
        if (m_segmentIndex != last)
            m_currentSegment = m_segments[++m_segmentIndex];
        m_segmentTick = 0;
    }
    return std::nullopt;
}

void World::SpawnClouds(float fromX, float width)
{
    const float end = fromX + width;
    for (float x = NextCloudLeft(fromX); x < end; x = NextCloudLeft(fromX))
        AddCloud(x);
}

float World::NextCloudLeft(float fromX) const
{
    const float windowWidth = GetLogicalSize().x;
    const float previousRight = m_clouds.empty() ? emptyWorldRight * windowWidth : RightEdge(m_clouds.back());
    const float base = std::max(previousRight + m_margin, fromX);
    return base + cloudLead * windowWidth + DrawFraction() * cloudSpread * windowWidth;
}

void World::AddCloud(float x)
{
    const bool large = DrawRandom() % largeCloudOdds == 0;
    sf::Sprite cloud = DrawEntry(large ? m_looks.largeClouds : m_looks.smallClouds);
    // The band above the ground stays clear: a cloud's bottom never comes below it.
    const float band = cloudBand * GetLogicalSize().y;
    const float lowestTop = GetGroundY() - band - SizeOf(cloud).y;
    cloud.setPosition(x, lowestTop * DrawFraction());
    m_clouds.push_back(cloud);
}

void World::GenerateSegmentFlowers(const LevelSegment& segment, float fromX, float width)
{
    const float end = fromX + width;
    for (float x = NextClusterLeft(segment, fromX); x < end; x = NextClusterLeft(segment, fromX))
        PlaceFlowerCluster(DrawEntry(segment.clusterSizes), x);
}

float World::NextClusterLeft(const LevelSegment& segment, float stripStart) const
{
    const float windowWidth = GetLogicalSize().x;
    const float previousRight = m_flowers.empty() ? emptyWorldRight * windowWidth : RightEdge(m_flowers.back());
    const float base = std::max(stripStart, previousRight + m_margin);
    const float leastGap = segment.minGap * windowWidth;
    const float greatestGap = segment.maxGap * windowWidth;
    return base + leastGap + (greatestGap - leastGap) * DrawFraction();
}

void World::PlaceFlowerCluster(int count, float x)
{
    for (int i = 0; i < count; ++i)
    {
        const std::size_t kind = static_cast<std::size_t>(DrawRandom()) % m_looks.flowers.size();
        sf::Sprite flower = m_looks.flowers[kind].look;
        const sf::Vector2f size = SizeOf(flower);
        flower.setPosition(x, GetGroundY() - size.y);
        m_flowers.push_back(flower);
        m_flowerKinds.push_back(kind);
        x += size.x + flowerSpacing;
    }
}

void World::PlaceGarbage(float segmentStart)
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

void World::AddGarbageItem(float gapLeft, float gapRight)
{
    sf::Sprite item = DrawEntry(m_looks.garbage);
    const sf::Vector2f size = SizeOf(item);
    const float lowest = gapLeft + m_margin;
    const float highest = gapRight - m_margin - size.x;
    item.setPosition(lowest + (highest - lowest) * DrawFraction(), GetGroundY() - size.y);
    m_garbage.push_back(item);
}

void World::Scroll(float dt)
{
    m_view.move(m_currentSegment.speed * dt, 0.f);
}

void World::DriftClouds(float dt)
{
    for (sf::Sprite& cloud : m_clouds)
        cloud.move(cloudVelocity * dt, 0.f);
}

bool World::CheckFlowerContact(const sf::FloatRect& runner)
{
    // Only the flowers under the runner; the others lie wholly to one side of it.
    const float runnerRight = runner.left + runner.width;
    for (auto flower = FirstReaching(m_flowers, runner.left);
         flower != m_flowers.end() && flower->getGlobalBounds().left < runnerRight; ++flower)
    {
        if (!IsFlowerContact(runner, flower->getGlobalBounds()))
            continue;
        m_hitFlower = m_looks.flowers[m_flowerKinds[static_cast<std::size_t>(flower - m_flowers.begin())]].name;
        return true;
    }
    return false;
}

int World::CollectGarbage(const sf::FloatRect& runner)
{
    // Only the items under the runner, removed in place to keep the order.
    const float runnerRight = runner.left + runner.width;
    int collected = 0;
    auto item = FirstReaching(m_garbage, runner.left);
    while (item != m_garbage.end() && item->getGlobalBounds().left < runnerRight)
    {
        if (!runner.intersects(item->getGlobalBounds()))
        {
            ++item;
            continue;
        }
        m_score += pointsPerItem;
        ++collected;
        item = m_garbage.erase(item);
    }
    return collected;
}

int World::InsertBestResult()
{
    // Saved now rather than at exit: a kill, a crash or a lost display later keeps this result.
    m_bestResults.Add(m_score);
    m_bestResults.Save();
    return m_bestResults.GetNewestRow();
}

void World::Draw(sf::RenderTarget& target) const
{
    const float viewLeft = GetViewLeft();
    sf::RectangleShape horizon({horizonScreens * GetLogicalSize().x, horizonThickness});
    horizon.setFillColor(sf::Color::Black);
    horizon.setPosition(viewLeft - horizonLeftOverhang, GetGroundY() - horizonAboveGround);
    target.draw(horizon);
    DrawVisible(target, m_clouds);
    DrawVisible(target, m_flowers);
    DrawVisible(target, m_garbage);
}

void World::DrawVisible(sf::RenderTarget& target, const std::vector<sf::Sprite>& sprites) const
{
    // The sprites in view form one run.
    const float viewLeft = GetViewLeft();
    const float viewRight = viewLeft + m_view.getSize().x;
    for (auto sprite = FirstReaching(sprites, viewLeft);
         sprite != sprites.end() && sprite->getGlobalBounds().left < viewRight; ++sprite)
        target.draw(*sprite);
}
} // namespace kvelmora
