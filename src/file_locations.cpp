#include "file_locations.h"

#include <system_error>

namespace kvelmora
{
namespace
{
FileLocations FindFileLocations()
{
    const std::filesystem::path executableDirectory = platform::GetExecutableDirectory();
    const std::filesystem::path portableAssets = executableDirectory / "assets";
    const std::optional<std::filesystem::path> installedAssets =
        platform::GetInstalledAssetDirectory(executableDirectory);
    const bool portableWritable = !installedAssets && platform::CanWriteTo(portableAssets);
    FileLocations locations =
        ChooseFileLocations(portableAssets, installedAssets, portableWritable, platform::GetPlayerFolders());
    // A failure shows later, as a missing log or a failed save.
    std::error_code error;
    std::filesystem::create_directories(locations.bestResults, error);
    std::filesystem::create_directories(locations.log, error);
    return locations;
}
} // namespace

FileLocations ChooseFileLocations(const std::filesystem::path& portableAssets,
                                  const std::optional<std::filesystem::path>& installedAssets, bool portableWritable,
                                  const platform::PlayerFolders& player)
{
    const std::filesystem::path assets = installedAssets.value_or(portableAssets);
    if (!installedAssets && portableWritable)
        return {assets, assets, assets};
    return {assets, player.data, player.state};
}

const FileLocations& GetFileLocations()
{
    // Worked out once per run: finding the executable costs a system call, and every frame logs lines.
    static const FileLocations locations = FindFileLocations();
    return locations;
}

std::filesystem::path GetAssetDirectory()
{
    return GetFileLocations().assets;
}
} // namespace kvelmora
