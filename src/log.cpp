#include "log.h"

#include "file_locations.h"
#include "platform.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace kvelmora
{
namespace
{
const std::string logFileName = "log.txt";
const std::string rotatedLogFileName = "log.1.txt";

const std::filesystem::path& LogDirectory()
{
    return GetFileLocations().log;
}

// The line that passed the limit is whole in the old file; the next one starts a new file. Where the
// log cannot move (log.1.txt a folder, a folder the game may not write to), it starts again in place,
// so the limit holds whatever fails.
void RotateLog()
{
    std::error_code error;
    std::filesystem::rename(LogDirectory() / logFileName, LogDirectory() / rotatedLogFileName, error);
    if (error)
        platform::EmptyFile(LogDirectory() / logFileName);
}
} // namespace

void WriteLog(const std::string& text)
{
    if (platform::WriteToSystemLog(text))
        return;
    // Each line is opened, appended and closed on its own, so a crash never loses the trace.
    const std::optional<std::uintmax_t> size = platform::AppendToFile(LogDirectory() / logFileName, text + '\n');
    if (size && *size > logSizeLimit)
        RotateLog();
}

void ResetLog()
{
    // Where the system keeps the log (the browser's console), the game keeps no file of it.
    if (platform::WriteToSystemLog("log: new run."))
        return;
    platform::EmptyFile(LogDirectory() / logFileName);
}
} // namespace kvelmora
