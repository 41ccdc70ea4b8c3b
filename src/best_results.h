#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace kvelmora
{
// Best results: exactly bestResultCount entries, best first.
constexpr std::size_t bestResultCount = 5;

// Puts a finished game's score into the best results (best first, fixed length); an equal older
// result moves down. Returns the score's row, or -1 when it is below every entry.
int InsertBestResult(std::vector<int>& bestResults, int score);

// What a best-results file holds.
struct StoredBestResults
{
    std::vector<int> scores; // best first; five zeros unless the file starts with exactly five numbers
    bool damaged = false;    // it holds something besides five numbers and white space
};

StoredBestResults ParseStoredBestResults(std::istream& input);
std::vector<int> ParseBestResults(std::istream& input); // the scores alone
std::vector<int> ReadBestResults(const std::filesystem::path& path);
bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores);

// Keeps the best-results file in step with the run: a finished game's result is saved at once, and
// everything again at exit. Another copy of the game may save to the same file meanwhile, so each
// save merges this run's unsaved results into what the file holds then, and that is what shows.
class BestResultsStore final
{
public:
    explicit BestResultsStore(std::filesystem::path path);

    const std::vector<int>& Load(); // reads the file into the scores shown
    void Add(int score);            // a finished game's score: shown at once, saved by the next Save
    bool Save();                    // a failure is told once on standard error
    bool LastSaveFailed() const { return m_lastSaveFailed; }
    bool HasUnsaved() const { return !m_unsaved.empty(); }

    // Best first: as read, with this run's results merged in and, after a save, as saved.
    const std::vector<int>& GetScores() const { return m_scores; }
    // The row where the last Add, or the save that took its result, placed it; -1 for none.
    int GetNewestRow() const { return m_newestRow; }

private:
    // The file's scores with the unsaved ones merged in, and the newest one's row.
    struct Merged
    {
        std::vector<int> scores;
        int newestRow = -1;
    };

    bool MergeAndWrite(Merged& merged) const;
    void TellFailure(const std::string& reason);

    std::filesystem::path m_path;
    std::vector<int> m_scores;
    int m_newestRow = -1;
    std::vector<int> m_unsaved; // scores of finished games that the file does not hold yet
    bool m_lastSaveFailed = false;
    bool m_failureTold = false;
};
} // namespace kvelmora
