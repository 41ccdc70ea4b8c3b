// What only the Linux platform does: the XDG folders, the installed layout, and locks, files and
// file systems that only Linux can plant.
#include "platform_desktop.h"

#include "best_results.h"
#include "file_locations.h"
#include "log.h"
#include "sound_switch.h"
#include "test_support.h"

#include <SFML/Audio/Listener.hpp>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
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
    EXPECT_EQ(FindGameCopy().kind, CopyKind::Unpacked);
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
using LeftoverTemporaries = TempFolderTest;

TEST_F(LeftoverTemporaries, GoAtTheNextSaveWhileTheFilesOfRunningWritesStay)
{
    const auto beside = [this](const std::string& name) {
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
}

namespace
{
// A small file system of its own over a folder, gone with the object; mounting needs root.
class SmallFileSystem
{
public:
    SmallFileSystem(const fs::path& at, unsigned long flags)
        : m_at(at)
        , m_mounted(mount("tmpfs", at.c_str(), "tmpfs", flags, "size=8k") == 0)
    {
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            umount2(m_at.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool IsMounted() const { return m_mounted; }

private:
    fs::path m_at;
    bool m_mounted;
};

class SettingsWrite : public TempFolderTest
{
protected:
    // M pressed where the choice cannot be kept: the sound goes off for the run, the failure is
    // logged, and no new file but the lock is left in the folder.
    void ExpectToldAndNothingLeft()
    {
        ResetLog();
        SoundSwitch sound(path);
        ASSERT_TRUE(sound.IsOn());
        ::testing::internal::CaptureStderr();
        sound.Toggle();
        ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(sound.IsOn());
        EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);
        EXPECT_TRUE(sound.LastSaveFailed());
        const std::string log = ReadFile(GetFileLocations().log / "log.txt");
        EXPECT_NE(log.find("main: settings not saved.\n"), std::string::npos) << log;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name.rfind("settings.txt.", 0) == std::string::npos || name == "settings.txt.lock") << name;
        }
    }

    const fs::path path = folder / settingsFileName;
};
} // namespace

TEST_F(SettingsWrite, AFolderAFullDiskOrAReadOnlyFolderIsToldAndLeavesNoNewFile)
{
    {
        SCOPED_TRACE("settings.txt a folder");
        fs::create_directory(path);
        ExpectToldAndNothingLeft();
        fs::remove(path);
    }
    {
        SCOPED_TRACE("a full disk");
        const SmallFileSystem small(folder, 0);
        if (!small.IsMounted())
            GTEST_SKIP() << "mounting a file system needs root";
        WriteFile(folder / "filler", std::string(64 * 1024, 'x')); // as much as fits
        ExpectToldAndNothingLeft();
    }
    {
        SCOPED_TRACE("a read-only folder");
        const SmallFileSystem readOnly(folder, MS_RDONLY);
        ASSERT_TRUE(readOnly.IsMounted());
        ExpectToldAndNothingLeft();
    }
}

// A write killed halfway leaves its new file; the next start or switch removes it.
TEST_F(SettingsWrite, NewFilesOfKilledWritesGoAtTheStartAndAtEverySwitch)
{
    const fs::path leftover = folder / "settings.txt.iv1NeD";
    WriteFile(leftover, "sound=off\n");
    SoundSwitch sound(path);
    EXPECT_FALSE(fs::exists(leftover)) << "at the start";
    WriteFile(leftover, "sound=off\n");
    sound.Toggle();
    EXPECT_FALSE(fs::exists(leftover)) << "at a switch";
    EXPECT_EQ(ReadFile(path), "sound=off\n");
}
} // namespace kvelmora::platform
