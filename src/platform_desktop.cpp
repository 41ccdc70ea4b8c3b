// What Linux and Windows answer alike: a desktop window, which the game may close, and a log file
// of the game's own.
#include "platform.h"

namespace kvelmora::platform
{
WindowHost GetWindowHost()
{
    return WindowHost::Desktop;
}

void TogglePageFullscreen()
{
}

bool WriteToSystemLog(const std::string&)
{
    return false;
}
} // namespace kvelmora::platform
