#pragma once

#include "application.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <filesystem>
#include <string>

// The game's window size, which every screen under test draws into.
constexpr float windowWidth = 1366.f; // pixels
constexpr float windowHeight = 768.f; // pixels

// A real window of the game's size and a context holding every asset of the source tree.
// Screens under test draw into it; tests run under Xvfb.
struct TestContext
{
    TestContext();

    sf::RenderWindow window;
    AppContext context;
};

std::string SourceAssetDirectory();

// Makes a symbolic link; false where the system makes none (Windows without the privilege, Wine).
bool CreateSymlink(const std::filesystem::path& target, const std::filesystem::path& link);

// Puts the pointer at a window position, as the screens read it at the time of handling.
void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position);

sf::Event LeftClick();
sf::Event KeyPress(sf::Keyboard::Key key);

// Every fixed text the player sees, one after another.
std::wstring AllPlayerTexts();

// The middle of an element's global bounds.
sf::Vector2f Centre(const sf::Text& text);
sf::Vector2f Centre(const sf::Sprite& sprite);
