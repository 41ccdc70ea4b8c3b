#pragma once

#include <filesystem>
#include <string>

// What differs between Linux and Windows. One source per platform implements it and the build picks
// one; the rest of the program never asks which platform it runs on.

// The program proper, called by the platform's entry point (main on Linux, WinMain on Windows).
// Defined by the executable that links the platform: the game, or the tests.
int RunProgram(int argc, char* argv[]);

// The folder that holds the running executable; empty when it cannot be found.
std::filesystem::path GetExecutableDirectory();

// A modal error box with one OK button and no owner window; returns once the player dismisses it.
// Both texts are UTF-8.
void ShowErrorBox(const std::string& caption, const std::string& text);

// Whether a game window can be opened at all; SFML would abort the process without one.
bool CanOpenWindow();

// A stop request from outside (a logout, kill or Ctrl+C) ends the run like the close button.
void InstallStopHandlers();
bool IsStopRequested();
