#pragma once

#include "window_fit.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace kvelmora
{
// The program proper, called by the platform's entry point (main on Linux and in the browser, WinMain
// on Windows).
// Defined by the executable that links the platform: the game, or the tests.
int RunProgram(int argc, char* argv[]);
} // namespace kvelmora

// What differs between Linux, Windows and the browser. One source per platform implements it, with
// platform_desktop.cpp for what both desktops answer alike, and the build picks them; the rest of the
// program never asks which platform it runs on.
namespace kvelmora::platform
{

// Where the game's window lives. A desktop window is fitted into the room the desktop gives it and
// may be closed. A page cannot be closed by its program: the game fills the page, follows its size,
// goes fullscreen by the page's own request, and Escape leaves for the start menu instead of ending.
// Each host has only its own action.
struct WindowHost
{
    std::function<WindowRoom()> getDesktopRoom;
    std::function<void()> togglePageFullscreen; // puts the page in fullscreen, or takes it out

    bool IsPage() const { return static_cast<bool>(togglePageFullscreen); }
};
WindowHost GetWindowHost();

// The player's own folders for what the game keeps: best results in `data`, the log in `state`.
struct PlayerFolders
{
    std::filesystem::path data;
    std::filesystem::path state;
};
PlayerFolders GetPlayerFolders();

// How this copy of the game came to the player: installed (a package, the installer, the MSI),
// unpacked (a zip, a build folder) or preloaded by a page. It decides where the player's files are
// kept, and what the player can do when a file of the game's is missing.
enum class CopyKind
{
    Installed,
    Unpacked,
    Page,
};

struct GameCopy
{
    CopyKind kind;
    std::filesystem::path assets;
    bool assetsWritable; // an unpacked copy's only: whether this process may create files beside its assets
};
GameCopy FindGameCopy();

// A modal error box with one OK button and no owner window; returns once the player dismisses it.
// Both texts are UTF-8 and shown whole whatever the locale.
void ShowErrorBox(const std::string& caption, const std::string& text);

// A hold on the display while the game's window is made; empty when there is no display to open a
// window on, where SFML would abort the process. A bare X server resets when its last client leaves
// and drops a connection that comes meanwhile, so the hold is kept until the window has its own.
using DisplayHold = std::shared_ptr<void>;
DisplayHold HoldDisplay();

// A stop request from outside (a logout, kill or Ctrl+C) ends the run like the close button.
void InstallStopHandlers();
bool IsStopRequested();

// When the connection to the display breaks, the action runs and the process ends with status 1.
// An empty action removes it.
void SetDisplayLossAction(std::function<void()> action);

// Where the system keeps a log of its own (the browser's console), the line goes there and the
// answer is true; elsewhere the log is a file of the game's and the answer is false.
bool WriteToSystemLog(const std::string& line);

// Files the player keeps. None of these follows a symlink at the path itself, so a planted link
// never redirects a write.

// Appends the text to the file, creating it; the file's size afterwards, or nothing when it
// could not be written.
std::optional<std::uintmax_t> AppendToFile(const std::filesystem::path& path, const std::string& text);
// Empties the file, creating it.
void EmptyFile(const std::filesystem::path& path);
// Replaces the file whole or not at all: a new file beside it, flushed to disk, renamed over it.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& content);
// Removes the new files that writes of this path left when they were killed halfway; a new file
// that a running write still holds stays.
void RemoveLeftoverTemporaries(const std::filesystem::path& path);

// Opens a regular file for reading without ever waiting: null for a missing file and for anything
// that is not a regular file (a FIFO, a device, a folder).
std::unique_ptr<std::istream> OpenRegularFile(const std::filesystem::path& path);

// What became of an action that was to run under a lock.
enum class LockedRun
{
    Succeeded,
    Failed, // the action ran and failed
    Busy,   // another holder kept the lock through the whole wait, or the wait was told to stop
    NoLock, // nothing could be locked, so the action never ran
};

// Runs the action while holding an exclusive lock on the lock file, which is created when missing;
// other copies of the game wait for each other there, for about two seconds at most, and less when
// stopWaiting says so. Where the lock file cannot be had (a folder or a link planted there) the
// lock falls back to one that cannot be planted; the action never runs unlocked.
LockedRun RunLocked(const std::filesystem::path& lockFile, const std::function<bool()>& action,
                    const std::function<bool()>& stopWaiting);

// The sign of the D-pad's vertical axis pushed down. SFML 2.5 reads the kernel's hat on Linux, where
// up is -100, and a POV angle on Windows, where up is +100; the stick's up is -100 on both.
float GetPadDownSign();
} // namespace kvelmora::platform
