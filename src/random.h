#pragma once

namespace kvelmora
{
// The process-wide random generator: every draw is an integer from 0 to randomMax.
constexpr int randomMax = 32767;

void SeedRandom(unsigned int seed);
int DrawRandom();
float DrawFraction(); // a draw divided by randomMax: 0 to 1, both ends possible
} // namespace kvelmora
