#include "window_icon.h"

#include "window_icon_data.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Window.hpp>

namespace kvelmora
{
void SetWindowIcon(sf::Window& window)
{
    sf::Image icon;
    if (icon.loadFromMemory(windowIconPng, sizeof windowIconPng))
        window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
}
} // namespace kvelmora
