#pragma once

#include "platform.h"

#include <filesystem>
#include <optional>

namespace kvelmora
{
// Where the game reads its assets and keeps its files.
struct FileLocations
{
    std::filesystem::path assets;
    std::filesystem::path bestResults; // the folder of high_scores.txt
    std::filesystem::path log;         // the folder of log.txt
};

// A portable game (assets beside the executable) keeps its files beside its assets while it can
// write there; an installed game, or one unpacked where it cannot write, keeps them in the
// player's own folders.
FileLocations ChooseFileLocations(const std::filesystem::path& portableAssets,
                                  const std::optional<std::filesystem::path>& installedAssets, bool portableWritable,
                                  const platform::PlayerFolders& player);

const FileLocations& GetFileLocations(); // worked out once per run, creating the player's folders as needed
std::filesystem::path GetAssetDirectory();
} // namespace kvelmora
