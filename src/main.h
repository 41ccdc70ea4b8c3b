#pragma once

#include "frame_rate.h"
#include "window_fit.h"

#include <SFML/System/Clock.hpp>

class Application;

namespace sf
{
class RenderWindow;
}

// How the one window is shown, kept by the frame loop between passes. Nothing of it outlives the run.
struct WindowMode
{
    bool fullscreen = false;
    WindowPlacement windowed{{logicalWidth, logicalHeight}, {0, 0}}; // as last fitted to the desktop
    bool focused = true;                                             // the focus as the screens were last told of it
    bool focusToCheck = false; // a focus event came, or the window was created anew
    sf::Clock sinceCreation;   // of the window, which gets its focus only after a moment
    FrameRateWatch frameRate;  // switches a frame-rate limit on where vertical sync has no effect
};

// Drains the window's events into the application; false when the program is to end. The keys
// that switch fullscreen are handled here and never reach a screen.
bool ProcessEvent(Application& application, sf::RenderWindow& window, WindowMode& mode);

// The game proper: window, application and frame loop. Returns the process exit status.
int RunGame();
