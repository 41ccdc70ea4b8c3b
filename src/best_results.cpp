#include "best_results.h"

#include "log.h"
#include "platform.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

namespace kvelmora
{
namespace
{
std::filesystem::path WithSuffix(std::filesystem::path path, const std::string& suffix)
{
    return path += suffix;
}

std::optional<std::vector<int>> TryReadBestResults(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = platform::OpenRegularFile(path);
    if (!input)
        return std::nullopt;
    return TryParseBestResults(*input);
}

std::vector<int> NoResults()
{
    return std::vector<int>(bestResultCount, 0);
}

// A FIFO or a device has no bytes to keep, an empty file none worth keeping.
bool HoldsBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > 0;
}

// Moved aside rather than copied: a rename keeps the bytes whatever the file's size.
bool KeepDamagedFile(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::rename(path, WithSuffix(path, ".bad"), error);
    return !error;
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

std::optional<std::vector<int>> TryParseBestResults(std::istream& input)
{
    // Six numbers already make the file unusable, so a huge file is never read to its end.
    std::vector<int> numbers;
    int number = 0;
    while (numbers.size() <= bestResultCount && input >> number)
        numbers.push_back(number);
    if (numbers.size() != bestResultCount)
        return std::nullopt;
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return numbers;
}

std::vector<int> ParseBestResults(std::istream& input)
{
    return TryParseBestResults(input).value_or(NoResults());
}

std::vector<int> ReadBestResults(const std::filesystem::path& path)
{
    return TryReadBestResults(path).value_or(NoResults());
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
{
}

std::vector<int> BestResultsStore::Load() const
{
    return ReadBestResults(m_path);
}

void BestResultsStore::Add(int score)
{
    m_unsaved.push_back(score);
}

bool BestResultsStore::Save()
{
    m_lastSaveFailed = !platform::RunLocked(WithSuffix(m_path, ".lock"), [this] { return MergeAndWrite(); });
    if (m_lastSaveFailed)
        TellFailure();
    else
        m_unsaved.clear();
    return !m_lastSaveFailed;
}

bool BestResultsStore::MergeAndWrite() const
{
    // Whatever another copy has saved since stays; this run's unsaved results join it. With one
    // copy running this is exactly the list the run holds.
    const std::optional<std::vector<int>> stored = TryReadBestResults(m_path);
    if (!stored && HoldsBytes(m_path) && !KeepDamagedFile(m_path))
        return false;
    std::vector<int> scores = stored.value_or(NoResults());
    for (const int score : m_unsaved)
        InsertBestResult(scores, score);
    return WriteBestResults(m_path, scores);
}

void BestResultsStore::TellFailure()
{
    WriteLog("Best results not saved.");
    if (!m_failureTold)
        std::cerr << "kvelmora: cannot save the best results to " << m_path.string() << '\n';
    m_failureTold = true;
}
} // namespace kvelmora
