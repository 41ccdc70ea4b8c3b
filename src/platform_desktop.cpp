// What Linux and Windows answer alike: a desktop window, which the game may close, a copy that is
// installed or unpacked, and a log file of the game's own.
#include "platform_desktop.h"

namespace kvelmora::platform
{
WindowHost GetWindowHost()
{
    return {GetWindowRoom, nullptr};
}

GameCopy FindGameCopy()
{
    const std::filesystem::path executableDirectory = GetExecutableDirectory();
    if (const std::optional<std::filesystem::path> installed = GetInstalledAssetDirectory(executableDirectory))
        return {CopyKind::Installed, *installed, false};
    const std::filesystem::path unpacked = executableDirectory / "assets";
    return {CopyKind::Unpacked, unpacked, CanWriteTo(unpacked)};
}

bool WriteToSystemLog(const std::string&)
{
    return false;
}
} // namespace kvelmora::platform
