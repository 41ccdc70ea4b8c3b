#include "platform.h"

#include <SDL2/SDL_messagebox.h>

#include <X11/Xlib.h>

#include <csignal>
#include <iostream>
#include <memory>
#include <system_error>

namespace
{
volatile std::sig_atomic_t stopRequested = 0; // set by SIGTERM, SIGINT or SIGHUP

void RequestStop(int)
{
    stopRequested = 1;
}
} // namespace

int main(int argc, char* argv[])
{
    return RunProgram(argc, argv);
}

std::filesystem::path GetExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

void ShowErrorBox(const std::string& caption, const std::string& text)
{
    std::cerr << caption << ": " << text << std::endl;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

bool CanOpenWindow()
{
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
    return display != nullptr;
}

void InstallStopHandlers()
{
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool IsStopRequested()
{
    return stopRequested != 0;
}
