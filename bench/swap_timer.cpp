// Preloaded into a program to time its frames from outside, without touching its code:
// every frame ends in glXSwapBuffers. Reports, into the file named by SWAP_TIMER_OUT,
// the milliseconds from SWAP_TIMER_LAUNCH_NS (the launch, in CLOCK_REALTIME nanoseconds)
// to the first frame, and the mean microseconds per frame over SWAP_TIMER_FRAMES frames
// after SWAP_TIMER_SKIP warm-up frames; then ends the process.
#include <GL/glx.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace
{
using SwapBuffers = void (*)(Display*, GLXDrawable);

long EnvironmentNumber(const char* name, long fallback)
{
    const char* const value = std::getenv(name);
    return value != nullptr ? std::atol(value) : fallback;
}

long long NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void Report(const char* key, double value)
{
    const char* const path = std::getenv("SWAP_TIMER_OUT");
    if (path != nullptr)
        std::ofstream(path, std::ios::app) << key << ' ' << value << '\n';
}
} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const auto realSwap = reinterpret_cast<SwapBuffers>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const long skip = EnvironmentNumber("SWAP_TIMER_SKIP", 120);
    static const long frames = EnvironmentNumber("SWAP_TIMER_FRAMES", 1000);
    static long count = 0;
    static long long measureStart = 0;

    realSwap(display, drawable);
    const long long now = NowNanoseconds();
    if (count == 0)
        Report("first_frame_ms", (now - EnvironmentNumber("SWAP_TIMER_LAUNCH_NS", now)) / 1e6);
    if (count == skip)
        measureStart = now;
    if (count == skip + frames)
    {
        Report("frame_us", (now - measureStart) / 1e3 / static_cast<double>(frames));
        _exit(0);
    }
    ++count;
}
