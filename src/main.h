#pragma once

#include "frame_rate.h"

class Application;

namespace sf
{
class RenderWindow;
}

// How the one window is shown, kept by the frame loop between passes. Nothing of it outlives the run.
struct WindowMode
{
    bool fullscreen = false;
    bool focused = true;      // the focus as the screens were last told of it
    FrameRateWatch frameRate; // switches a frame-rate limit on where vertical sync has no effect
};

// Drains the window's events into the application; false when the program is to end. The keys
// that switch fullscreen are handled here and never reach a screen.
bool ProcessEvent(Application& application, sf::RenderWindow& window, WindowMode& mode);

// The game proper: window, application and frame loop. Returns the process exit status.
int RunGame();
