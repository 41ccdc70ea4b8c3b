#pragma once

namespace sf
{
class Window;
}

namespace kvelmora
{
// Gives the window the game's own icon, for its title bar and the task switcher.
void SetWindowIcon(sf::Window& window);
} // namespace kvelmora
