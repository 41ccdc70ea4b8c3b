#include "file_locations.h"

#include <system_error>

namespace kvelmora
{
namespace
{
FileLocations FindFileLocations()
{
    FileLocations locations = ChooseFileLocations(platform::FindGameCopy(), platform::GetPlayerFolders());
    // A failure shows later, as a missing log or a failed save.
    std::error_code error;
    std::filesystem::create_directories(locations.bestResults, error);
    std::filesystem::create_directories(locations.log, error);
    return locations;
}
} // namespace

FileLocations ChooseFileLocations(const platform::GameCopy& copy, const platform::PlayerFolders& player)
{
    // An installation is left alone even where the process could write there (root, an administrator).
    if (copy.kind == platform::CopyKind::Unpacked && copy.assetsWritable)
        return {copy.assets, copy.assets, copy.assets, copy.kind};
    return {copy.assets, player.data, player.state, copy.kind};
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
