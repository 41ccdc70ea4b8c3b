// What only the Linux platform does: the XDG folders and the installed layout.
#include "platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kvelmora::platform
{

TEST(FileLocations, ThePlayersFoldersFollowTheXdgVariablesOrTheirDefaults)
{
    setenv("HOME", "/home/jana", 1);
    setenv("XDG_DATA_HOME", "/data", 1);
    setenv("XDG_STATE_HOME", "relative/is/ignored", 1);
    PlayerFolders folders = GetPlayerFolders();
    EXPECT_EQ(folders.data, "/data/kvelmora");
    EXPECT_EQ(folders.state, "/home/jana/.local/state/kvelmora");

    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_STATE_HOME");
    folders = GetPlayerFolders();
    EXPECT_EQ(folders.data, "/home/jana/.local/share/kvelmora");
    EXPECT_EQ(folders.state, "/home/jana/.local/state/kvelmora");

    // The build tree is a portable layout: assets beside the executable.
    EXPECT_TRUE(std::filesystem::exists(GetExecutableDirectory() / "kvelmora_tests"));
    EXPECT_EQ(GetInstalledAssetDirectory(GetExecutableDirectory()), std::nullopt);
    EXPECT_EQ(GetInstalledAssetDirectory("/opt/kvelmora/bin"), "/opt/kvelmora/share/kvelmora/assets");
}
} // namespace kvelmora::platform
