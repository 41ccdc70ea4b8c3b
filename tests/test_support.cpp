#include "test_support.h"

#include "constants.h"

#include <SFML/Window/Mouse.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace
{
constexpr float placeTolerance = 0.01f; // pixels of float rounding in placed positions

sf::Vector2f Centre(const sf::FloatRect& bounds)
{
    return {bounds.left + bounds.width / 2, bounds.top + bounds.height / 2};
}
} // namespace

TestContext::TestContext()
    : window(sf::VideoMode(static_cast<unsigned int>(windowWidth), static_cast<unsigned int>(windowHeight), 32),
             "Kvelmora tests", sf::Style::Titlebar | sf::Style::Close)
    , context(&window)
{
    window.setPosition({0, 0});
    LoadAllAssets(context, std::filesystem::path(KVELMORA_SOURCE_DIR) / "assets");
    context.highScores.assign(bestResultCount, 0);
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path) << content;
}

void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position)
{
    // Pixel positions are whole numbers; a fractional bounds edge is probed by its neighbours.
    const sf::Vector2i pixel(static_cast<int>(std::floor(position.x)), static_cast<int>(std::floor(position.y)));
    sf::Mouse::setPosition(pixel, window);
    for (int attempt = 0; attempt < 100 && sf::Mouse::getPosition(window) != pixel; ++attempt)
        sf::Mouse::setPosition(pixel, window);
}

sf::Event LeftClick()
{
    sf::Event event;
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton.button = sf::Mouse::Left;
    event.mouseButton.x = 0;
    event.mouseButton.y = 0;
    return event;
}

sf::Event KeyPress(sf::Keyboard::Key key)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {key, false, false, false, false};
    return event;
}

std::wstring AllPlayerTexts()
{
    std::wstring texts = windowTitle + menuTitle + infoButtonText + playButtonText + gameInstructions;
    texts += gameOverCaption + bestResultsHeading + gameOverHint;
    for (const std::wstring& topic : infoTopics)
        texts += topic;
    for (const std::wstring& page : infoPages)
        texts += page;
    return texts;
}

sf::Vector2f Centre(const sf::Text& text)
{
    return Centre(text.getGlobalBounds());
}

sf::Vector2f Centre(const sf::Sprite& sprite)
{
    return Centre(sprite.getGlobalBounds());
}

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}

float Right(const sf::Sprite& sprite)
{
    return Left(sprite) + sprite.getGlobalBounds().width;
}

void EndOnAFlower(Game& game)
{
    const float deepInTheRunner = 40.f; // pixels right of its left edge
    game.PlaceFlowerCluster(1, game.GetPlayer().GetBounds().left + deepInTheRunner);
    game.CheckFlowerContact();
}

WorldBefore::WorldBefore(const Game& game)
    : viewLeft(game.GetViewLeft())
    , lastFlowerLeft(game.GetFlowers().empty() ? -1.f : Left(game.GetFlowers().back()))
{
}

float WorldShift(const Game& game, const WorldBefore& before)
{
    return std::round((before.viewLeft - game.GetViewLeft()) / windowWidth) * windowWidth;
}

std::optional<Strip> FindNewStrip(const Game& game, const WorldBefore& before)
{
    const float shift = WorldShift(game, before);
    // Flowers stand left to right, and those behind the view are dropped: the new ones stand right of
    // the last one before.
    const std::vector<sf::Sprite>& flowers = game.GetFlowers();
    const auto first = std::partition_point(flowers.begin(), flowers.end(), [&](const sf::Sprite& flower) {
        return Left(flower) <= before.lastFlowerLeft - shift;
    });
    if (first == flowers.end())
        return std::nullopt;
    const float start = (std::floor((before.viewLeft - shift) / windowWidth) + 1) * windowWidth;
    return Strip{start, static_cast<std::size_t>(first - flowers.begin())};
}

void ExpectGapsWithin(const std::vector<sf::Sprite>& flowers, const Strip& strip, float minGap, float maxGap)
{
    for (std::size_t i = strip.firstFlower; i < flowers.size(); i = FindClusterEnd(flowers, i) + 1)
    {
        const float previousEnd = i > 0 ? Right(flowers[i - 1]) + spawnMargin : strip.start;
        const float gap = Left(flowers[i]) - std::max(strip.start, previousEnd);
        EXPECT_GE(gap, minGap * windowWidth - placeTolerance) << "before flower " << i;
        EXPECT_LE(gap, maxGap * windowWidth + placeTolerance) << "before flower " << i;
    }
}
