#pragma once

#include "platform.h"
#include "window_fit.h"

#include <filesystem>
#include <optional>

// What only the desktops have, each answered by its own platform source; platform_desktop.cpp builds
// the shared seam of platform.h from it.
namespace kvelmora::platform
{
// The folder that holds the running executable; empty when it cannot be found.
std::filesystem::path GetExecutableDirectory();

// The assets of an installed game, found from the executable's folder so an installed tree can
// be moved; nothing when the executable runs from an unpacked, portable folder.
std::optional<std::filesystem::path> GetInstalledAssetDirectory(const std::filesystem::path& executableDirectory);

// Whether this process may create files in the folder.
bool CanWriteTo(const std::filesystem::path& folder);

// Where the game's window may go, asked afresh at every start and on every return from fullscreen:
// the desktop's usable area without taskbars and panels (Windows: the work area; X11: _NET_WORKAREA
// where the window manager publishes it, else the whole desktop) and the frame that the system puts
// around a window with a title bar and a close button.
WindowRoom GetWindowRoom();
} // namespace kvelmora::platform
