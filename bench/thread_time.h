#pragma once

#include <time.h>

// Microseconds of CPU time that the calling thread has used: waits and the graphics driver's own
// threads do not count, so a few microseconds of game logic can be told apart.
inline double ThreadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}
