#pragma once

#include "platform.h"

#include <filesystem>

namespace kvelmora
{
// Where the game reads its assets and keeps its files.
struct FileLocations
{
    std::filesystem::path assets;
    std::filesystem::path bestResults; // the folder of high_scores.txt
    std::filesystem::path log;         // the folder of log.txt
    platform::CopyKind copy;
};

// An unpacked copy keeps the player's files beside its assets while it can write there; any other
// copy, or an unpacked one where it cannot write, keeps them in the player's own folders.
FileLocations ChooseFileLocations(const platform::GameCopy& copy, const platform::PlayerFolders& player);

const FileLocations& GetFileLocations(); // worked out once per run, creating the player's folders as needed
std::filesystem::path GetAssetDirectory();
} // namespace kvelmora
