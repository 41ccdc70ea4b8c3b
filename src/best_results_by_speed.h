#pragma once

#include "best_results.h"
#include "speed_choice.h"

#include <filesystem>
#include <map>
#include <vector>

namespace kvelmora
{

// One table of best results for each game speed, each in a file of its own in the same folder; the
// normal speed's is high_scores.txt, as it always was. A finished game's result joins, and the game
// over view shows, the table of the speed chosen now.
class BestResultsBySpeed final
{
public:
    BestResultsBySpeed(const std::filesystem::path& folder, const SpeedChoice& speed);

    void Load(); // reads every table's file

    // The chosen speed's table, as BestResultsStore keeps it.
    void Add(int score) { Chosen().Add(score); }
    bool Save() { return Chosen().Save(); }
    bool LastSaveFailed() const { return Chosen().LastSaveFailed(); }
    const std::vector<int>& GetScores() const { return Chosen().GetScores(); }
    int GetNewestRow() const { return Chosen().GetNewestRow(); }

    // At exit and on the way back to the start menu: the normal speed's file as ever, and each
    // other table that holds results its file lacks. False when any could not be saved.
    bool SaveAll();

    // The chosen speed's table itself, for a game, which keeps its speed from start to end.
    BestResultsStore& Chosen() { return m_stores.at(m_speed.GetSpeed()); }
    const BestResultsStore& Chosen() const { return m_stores.at(m_speed.GetSpeed()); }

private:
    const SpeedChoice& m_speed;
    std::map<int, BestResultsStore> m_stores; // by speed
};
} // namespace kvelmora
