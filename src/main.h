#pragma once

class Application;

namespace sf
{
class RenderWindow;
}

// Drains the window's events into the application; false when the program is to end.
bool ProcessEvent(Application& application, sf::RenderWindow& window);

// The game proper: window, application and frame loop. Returns the process exit status.
int RunGame();
