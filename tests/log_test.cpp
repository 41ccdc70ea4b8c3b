#include "log.h"

#include "file_locations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kvelmora
{

// log.1.txt a folder stands for every way the move can fail, such as a folder the game may not
// write to around a log.txt that it may.
TEST(LogFile, NeverGrowsPastTheLimitWhenItCannotMoveToLog1)
{
    namespace fs = std::filesystem;
    const fs::path log = GetAssetDirectory() / "log.txt";
    const fs::path older = GetAssetDirectory() / "log.1.txt";
    fs::remove_all(older);
    fs::create_directories(older / "kept");
    ResetLog();

    const std::string filler(100'000, 'x');
    std::uintmax_t largest = 0;
    for (std::uintmax_t written = 0; written < 2 * logSizeLimit; written += filler.size())
    {
        WriteLog(filler);
        largest = std::max(largest, fs::file_size(log));
    }
    EXPECT_LE(largest, logSizeLimit + filler.size() + 1);
    EXPECT_TRUE(fs::is_directory(older / "kept"));
    fs::remove_all(older);
    ResetLog();
}
} // namespace kvelmora
