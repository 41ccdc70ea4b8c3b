#include "best_results_by_speed.h"

#include <string>

namespace kvelmora
{

namespace
{
std::string FileName(int speed)
{
    if (speed == normalSpeed)
        return "high_scores.txt";
    return "high_scores_" + std::to_string(speed) + ".txt";
}
} // namespace

BestResultsBySpeed::BestResultsBySpeed(const std::filesystem::path& folder, const SpeedChoice& speed)
    : m_speed(speed)
{
    for (const int each : gameSpeeds)
        m_stores.emplace(each, folder / FileName(each));
}

void BestResultsBySpeed::Load()
{
    for (auto& [speed, store] : m_stores)
        store.Load();
}

bool BestResultsBySpeed::SaveAll()
{
    bool saved = true;
    for (auto& [speed, store] : m_stores)
    {
        if (speed == normalSpeed || store.HasUnsaved())
            saved = store.Save() && saved;
    }
    return saved;
}
} // namespace kvelmora
