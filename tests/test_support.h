#pragma once

#include "application.h"
#include "game.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

constexpr float windowWidth = 1366.f;              // pixels: the game's window, which every screen under test fills
constexpr float windowHeight = 768.f;              // pixels
constexpr float spawnMargin = windowWidth / 100;   // pixels the spawners keep clear beside flowers
constexpr int framesPerSecond = 64;                // a power of two: scrolled distances stay exact in floats
constexpr float frameTime = 1.f / framesPerSecond; // seconds

// A real window of the game's size and a context holding every asset of the source tree.
struct TestContext
{
    TestContext();

    sf::RenderWindow window;
    AppContext context;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// Puts the pointer at a window position, as the screens read it at the time of handling.
void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position);
sf::Event LeftClick();
sf::Event KeyPress(sf::Keyboard::Key key);

// Every fixed text the player sees, one after another.
std::wstring AllPlayerTexts();

sf::Vector2f Centre(const sf::Text& text);
sf::Vector2f Centre(const sf::Sprite& sprite);
float Left(const sf::Sprite& sprite);
float Right(const sf::Sprite& sprite);

// Plants a flower deep in the runner and lets it touch.
void EndOnAFlower(Game& game);

// What a step of play starts from, to tell the strip of flowers it adds.
struct WorldBefore
{
    explicit WorldBefore(const Game& game);

    float viewLeft;
    float lastFlowerLeft; // -1 without flowers
};

// A strip starts at the view's right edge, the first screen boundary right of the view.
struct Strip
{
    float start;
    std::size_t firstFlower;
};

// How far the step moved the world back, by whole screens.
float WorldShift(const Game& game, const WorldBefore& before);

// The strip the step added, told in the world as it stands after the step, which may have moved it
// back by whole screens.
std::optional<Strip> FindNewStrip(const Game& game, const WorldBefore& before);

// Each gap before a cluster of the strip lies in the range, in window widths. It counts from the
// strip's start or the previous cluster's margin, whichever is further right.
void ExpectGapsWithin(const std::vector<sf::Sprite>& flowers, const Strip& strip, float minGap, float maxGap);
