#include "random.h"

#include <random>

namespace kvelmora
{
namespace
{
std::mt19937& Generator()
{
    static std::mt19937 generator(0);
    return generator;
}
} // namespace

void SeedRandom(unsigned int seed)
{
    Generator().seed(seed);
}

int DrawRandom()
{
    // The top 15 bits of a 32-bit draw: uniform over 0..32767 whatever the platform's rand.
    return static_cast<int>(Generator()() >> 17);
}

float DrawFraction()
{
    return static_cast<float>(DrawRandom() / static_cast<double>(randomMax));
}
} // namespace kvelmora
