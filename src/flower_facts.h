#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kvelmora
{

// One of the protected flowers the runner must not step on, as the game-over card tells of it.
struct FlowerSpecies
{
    std::string textureKey;              // the flower's picture in the world, which also tells which species was hit
    std::wstring name;                   // in Czech, in full, as a heading
    std::vector<std::wstring> sentences; // one is shown per card, in turn
};

// Built on first use, after the asset keys it copies.
const std::vector<FlowerSpecies>& GetFlowerSpecies();
// The species drawn with this texture; asking for any other key is a programmer's mistake.
const FlowerSpecies& FindFlowerSpecies(const std::string& textureKey);

// The sentence for the species' next card. Each species goes through its sentences in turn, starting
// each run at a random one, so a class playing game after game reads something new each time.
std::size_t TakeSentenceIndex(const FlowerSpecies& species);
} // namespace kvelmora
