#pragma once

#include "application.h"
#include "game.h"
#include "screen_probe.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Joystick.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kvelmora
{

constexpr float windowWidth = 1366.f;            // pixels: the window every screen under test fills
constexpr float windowHeight = 768.f;            // pixels
constexpr float spawnMargin = windowWidth / 100; // pixels the spawners keep clear beside flowers
constexpr float frameTime = 1.f / 64;            // seconds; a power of two keeps scrolled distances exact

// The player's files that an application under test keeps beside the tests' asset copy: the
// settings and the slower speeds' best results, gone before and after, so no test sees another's.
class PlayerFiles final
{
public:
    PlayerFiles();
    ~PlayerFiles();
    PlayerFiles(const PlayerFiles&) = delete;
    PlayerFiles& operator=(const PlayerFiles&) = delete;

    static std::filesystem::path Path(const std::string& name); // the file's path in that folder

private:
    static void Remove();
};

// A real window of the game's size and a context holding every asset of the source tree, at the
// normal game speed.
struct TestContext
{
    TestContext();

    // Puts the pointer on a window position and clicks there.
    ScreenRequest ClickAt(Screen& screen, sf::Vector2f position);
    // The window's picture once the screen is drawn on white.
    sf::Image Picture(Screen& screen);

    const PlayerFiles files;
    sf::RenderWindow window;
    AppContext context;
};

// Gives each test of a fixture a fresh, empty folder of its own, named after the test, and removes it after.
class TempFolderTest : public ::testing::Test
{
protected:
    TempFolderTest();
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path folder;
};

// What the window shows now.
sf::Image Capture(const sf::RenderWindow& window);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// Makes a symbolic link; false where the system makes none (Windows without the privilege, Wine).
bool CreateSymlink(const std::filesystem::path& target, const std::filesystem::path& link);

// Puts the pointer at a window position, as the screens read it at the time of handling.
void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position);
sf::Event LeftClick();
sf::Event TouchBegan(sf::Vector2f position); // the first finger, at a window position
sf::Event KeyPress(sf::Keyboard::Key key, bool alt = false);
sf::Event PadButton(unsigned int button, unsigned int pad = 0);
sf::Event PadPush(sf::Joystick::Axis axis, float position, unsigned int pad = 0);

// The screen the application shows, if it is a Target.
template <typename Target>
const Target* ScreenOf(const Application& application)
{
    return dynamic_cast<const Target*>(&application.GetScreen());
}

// The middle of a text's or a sprite's global bounds.
template <typename Drawable>
sf::Vector2f Centre(const Drawable& drawable)
{
    const sf::FloatRect bounds = drawable.getGlobalBounds();
    return {bounds.left + bounds.width / 2, bounds.top + bounds.height / 2};
}

float Left(const sf::Sprite& sprite);
float Right(const sf::Sprite& sprite);

// Plants a flower deep in the runner and lets it touch.
void EndOnAFlower(Game& game);
} // namespace kvelmora
