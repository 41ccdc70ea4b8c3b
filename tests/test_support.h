#pragma once

#include "application.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

// A real 1366 x 768 window and a context holding every asset of the source tree.
// Screens under test draw into it; tests run under Xvfb.
struct TestContext
{
    TestContext();

    sf::RenderWindow window;
    AppContext context;
};

std::string SourceAssetDirectory();

// Puts the pointer at a window position, as the screens read it at the time of handling.
void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position);

sf::Event LeftClick();
sf::Event KeyPress(sf::Keyboard::Key key);

sf::Vector2f Centre(const sf::Text& text);
