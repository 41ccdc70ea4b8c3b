// What only the Linux platform does: the XDG folders, the installed layout, and locks and files
// that only Linux can plant.
#include "platform.h"

#include "best_results.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

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

namespace
{
namespace fs = std::filesystem;

// Holds an exclusive flock on the file, as a running write holds its new file.
class FlockHolder
{
public:
    explicit FlockHolder(const fs::path& path)
        : m_descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
    }
    ~FlockHolder() { close(m_descriptor); }
    FlockHolder(const FlockHolder&) = delete;
    FlockHolder& operator=(const FlockHolder&) = delete;

    bool Holds() const { return m_descriptor >= 0 && flock(m_descriptor, LOCK_EX | LOCK_NB) == 0; }

private:
    int m_descriptor;
};
} // namespace

// Only a folder that cannot be opened leaves no lock at all; a save must not run unlocked then.
TEST(LockFile, WithoutAnyLockTheActionNeverRuns)
{
    const fs::path lock = fs::path(::testing::TempDir()) / "missing_folder" / "high_scores.txt.lock";
    bool ran = false;
    EXPECT_EQ(RunLocked(
                  lock, [&ran] { return ran = true; }, [] { return true; }),
              LockedRun::NoLock);
    EXPECT_FALSE(ran);
}

// A kill -9 during a save leaves its new file behind; the next save removes it, but not the one a
// running save is writing, nor anything else beside the results.
TEST(LeftoverTemporaries, GoAtTheNextSaveWhileTheFilesOfRunningWritesStay)
{
    const fs::path folder = fs::path(::testing::TempDir()) / ("leftovers_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto beside = [&folder](const std::string& name) {
        return folder / ("high_scores.txt." + name);
    };
    const fs::path leftovers[] = {beside("Ab3dE9"), beside("zzzzzz")};
    const fs::path runningWrite = beside("Xy34Zw");
    const fs::path others[] = {beside("bad"), beside("bad.10"), beside("lock"), beside("Ab3dE9x"),
                               folder / "other.txt.Ab3dE9"};
    for (const fs::path& file : leftovers)
        std::ofstream(file) << "5\n4\n";
    for (const fs::path& file : others)
        std::ofstream(file) << "kept\n";
    std::ofstream(runningWrite) << "5\n";
    fs::create_directory(beside("Qw3rT5"));
    fs::create_symlink(others[4], beside("Sy5mLk"));
    ASSERT_EQ(mkfifo(beside("F1f0ab").c_str(), 0600), 0); // opening it must not wait for a writer

    const FlockHolder writer(runningWrite);
    ASSERT_TRUE(writer.Holds());
    BestResultsStore store(folder / "high_scores.txt");
    store.Add(10);
    ASSERT_TRUE(store.Save());
    for (const fs::path& file : leftovers)
        EXPECT_FALSE(fs::exists(file)) << file;
    EXPECT_TRUE(fs::exists(runningWrite));
    for (const fs::path& file : others)
        EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_TRUE(fs::is_directory(beside("Qw3rT5")));
    EXPECT_TRUE(fs::is_symlink(beside("Sy5mLk")));
    EXPECT_TRUE(fs::is_fifo(beside("F1f0ab")));
    fs::remove_all(folder);
}
} // namespace kvelmora::platform
