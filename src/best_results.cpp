#include "best_results.h"

#include "log.h"
#include "platform.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

namespace kvelmora
{
namespace
{
constexpr int keptDamagedCopies = 10; // .bad, .bad.1 up to .bad.9; the oldest stay when all are taken

std::filesystem::path WithSuffix(std::filesystem::path path, const std::string& suffix)
{
    return path += suffix;
}

std::vector<int> NoResults()
{
    return std::vector<int>(bestResultCount, 0);
}

// A missing file, or a FIFO or a device, holds nothing, damaged or not.
StoredBestResults ReadStoredBestResults(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = platform::OpenRegularFile(path);
    if (!input)
        return {NoResults(), false};
    return ParseStoredBestResults(*input);
}

// An empty file has no bytes worth keeping.
bool HoldsBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > 0;
}

// The first name for a kept damaged file that nothing has taken, not even a folder or a link.
std::optional<std::filesystem::path> FreeDamagedCopyName(const std::filesystem::path& path)
{
    for (int copy = 0; copy < keptDamagedCopies; ++copy)
    {
        const std::filesystem::path name = WithSuffix(path, copy == 0 ? ".bad" : ".bad." + std::to_string(copy));
        std::error_code error;
        if (std::filesystem::symlink_status(name, error).type() == std::filesystem::file_type::not_found)
            return name;
    }
    return std::nullopt;
}

// Moved aside rather than copied: a rename keeps the bytes whatever the file's size. A kept copy is
// never replaced; when every name is taken, the damaged file goes and the log says so.
bool ReplaceDamagedFile(const std::filesystem::path& path, const std::vector<int>& scores)
{
    const std::optional<std::filesystem::path> copy = FreeDamagedCopyName(path);
    if (!copy)
    {
        WriteLog("Damaged best results not kept: " + std::to_string(keptDamagedCopies) + " copies kept already.");
        return WriteBestResults(path, scores);
    }
    std::error_code error;
    std::filesystem::rename(path, *copy, error);
    if (error)
        return false;
    if (WriteBestResults(path, scores))
        return true;
    // The numbers before damage at the end are shown, so a failed save puts the file back.
    std::filesystem::rename(*copy, path, error);
    return false;
}

std::string FailureReason(platform::LockedRun run)
{
    switch (run)
    {
    case platform::LockedRun::Busy:
        return "another copy of the game holds the lock";
    case platform::LockedRun::NoLock:
        return "no lock can be had";
    case platform::LockedRun::Succeeded:
    case platform::LockedRun::Failed:
        break;
    }
    return "the file cannot be written";
}
} // namespace

int InsertBestResult(std::vector<int>& bestResults, int score)
{
    const auto place =
        std::find_if(bestResults.begin(), bestResults.end(), [score](int entry) { return entry <= score; });
    if (place == bestResults.end())
        return -1;
    std::copy_backward(place, bestResults.end() - 1, bestResults.end());
    *place = score;
    return static_cast<int>(place - bestResults.begin());
}

StoredBestResults ParseStoredBestResults(std::istream& input)
{
    std::vector<int> numbers(bestResultCount);
    for (int& number : numbers)
    {
        if (!(input >> number))
            return {NoResults(), true};
    }
    input >> std::ws;
    const bool clean = input.eof();
    // A sixth number makes the whole file unusable; other bytes after the fifth damage only the
    // end. Either way a huge file is given up here instead of being read to its end.
    int sixth = 0;
    if (!clean && input >> sixth)
        return {NoResults(), true};
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return {numbers, !clean};
}

std::vector<int> ParseBestResults(std::istream& input)
{
    return ParseStoredBestResults(input).scores;
}

std::vector<int> ReadBestResults(const std::filesystem::path& path)
{
    return ReadStoredBestResults(path).scores;
}

bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores)
{
    std::ostringstream content;
    for (const int score : scores)
        content << score << '\n';
    return platform::WriteWholeFile(path, content.str());
}

BestResultsStore::BestResultsStore(std::filesystem::path path)
    : m_path(std::move(path))
    , m_scores(NoResults())
{
}

const std::vector<int>& BestResultsStore::Load()
{
    m_scores = ReadBestResults(m_path);
    return m_scores;
}

void BestResultsStore::Add(int score)
{
    m_unsaved.push_back(score);
    m_newestRow = InsertBestResult(m_scores, score);
}

bool BestResultsStore::Save()
{
    // A stop request ends a wait for the lock; the save at the end of a stopped run still waits.
    const bool stoppedBefore = platform::IsStopRequested();
    Merged merged;
    const platform::LockedRun run = platform::RunLocked(
        WithSuffix(m_path, ".lock"), [this, &merged] { return MergeAndWrite(merged); },
        [stoppedBefore] { return !stoppedBefore && platform::IsStopRequested(); });
    m_lastSaveFailed = run != platform::LockedRun::Succeeded;
    if (m_lastSaveFailed)
    {
        TellFailure(FailureReason(run));
        return false;
    }
    m_scores = merged.scores;
    m_newestRow = merged.newestRow;
    m_unsaved.clear();
    return true;
}

bool BestResultsStore::MergeAndWrite(Merged& merged) const
{
    // Under the lock no other copy is writing, so no running write's file is taken for a leftover.
    platform::RemoveLeftoverTemporaries(m_path);
    // Whatever another copy has saved since stays; this run's unsaved results join it. With one
    // copy running this is exactly the list the run holds.
    const StoredBestResults stored = ReadStoredBestResults(m_path);
    merged.scores = stored.scores;
    for (const int score : m_unsaved)
        merged.newestRow = InsertBestResult(merged.scores, score);
    if (stored.damaged && HoldsBytes(m_path))
        return ReplaceDamagedFile(m_path, merged.scores);
    return WriteBestResults(m_path, merged.scores);
}

void BestResultsStore::TellFailure(const std::string& reason)
{
    WriteLog("Best results not saved: " + reason + ".");
    if (!m_failureTold)
        std::cerr << "kvelmora: cannot save the best results to " << m_path.string() << " (" << reason << ")\n";
    m_failureTold = true;
}
} // namespace kvelmora
