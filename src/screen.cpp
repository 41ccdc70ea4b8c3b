#include "screen.h"

#include "file_locations.h"
#include "settings.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

namespace kvelmora
{
AppContext::AppContext(sf::RenderWindow& window)
    : window(&window)
    , speed(GetFileLocations().bestResults / settingsFileName)
    , bestResults(GetFileLocations().bestResults, speed)
{
}

AssetMaps AppContext::GetAssetMaps()
{
    return {fonts, textures, soundBuffers};
}

Screen::Screen(AppContext* context)
    : m_context(context)
{
}

sf::Vector2f Screen::GetMousePosition() const
{
    const sf::RenderWindow& window = *m_context->window;
    return ToLogical(sf::Mouse::getPosition(window), window.getSize());
}
} // namespace kvelmora
