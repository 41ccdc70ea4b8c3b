#include "platform.h"

#include <SDL2/SDL_messagebox.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

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

namespace
{
using DisplayHandle = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

// A window property of 32-bit items (Xlib hands them over as longs); empty when it is missing.
std::vector<long> ReadCardinals(Display* display, Window window, const char* name)
{
    const Atom property = XInternAtom(display, name, True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 64, False, XA_CARDINAL, &type, &format, &count,
                                          &remaining, &data);
    std::vector<long> values;
    if (status == Success && format == 32 && data != nullptr)
    {
        const long* const items = reinterpret_cast<const long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

sf::IntRect GetUsableArea(Display* display)
{
    const Window root = DefaultRootWindow(display);
    const std::vector<long> area = ReadCardinals(display, root, "_NET_WORKAREA");
    // One x, y, width, height per virtual desktop; the current one is shown.
    const std::vector<long> current = ReadCardinals(display, root, "_NET_CURRENT_DESKTOP");
    const std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current.front());
    if (area.size() >= 4 * (desktop + 1) && area[4 * desktop + 2] > 0 && area[4 * desktop + 3] > 0)
        return {static_cast<int>(area[4 * desktop]), static_cast<int>(area[4 * desktop + 1]),
                static_cast<int>(area[4 * desktop + 2]), static_cast<int>(area[4 * desktop + 3])};
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

// A frame is known only once a window manager has put one on; _NET_REQUEST_FRAME_EXTENTS asks it
// beforehand about a window that is never shown. Without a window manager there is no frame.
FrameExtents RequestFrameExtents(Display* display)
{
    constexpr auto answerTimeout = std::chrono::milliseconds(200); // a window manager answers at once
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", True);
    if (request == None || ReadCardinals(display, DefaultRootWindow(display), "_NET_WORKAREA").empty())
        return {};
    const Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, probe, PropertyChangeMask);
    XEvent message = {};
    message.xclient.type = ClientMessage;
    message.xclient.window = probe;
    message.xclient.message_type = request;
    message.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display);

    std::vector<long> extents; // left, right, top, bottom
    const auto deadline = std::chrono::steady_clock::now() + answerTimeout;
    while (extents.size() < 4 && std::chrono::steady_clock::now() < deadline)
    {
        XEvent event;
        if (XCheckTypedWindowEvent(display, probe, PropertyNotify, &event))
            extents = ReadCardinals(display, probe, "_NET_FRAME_EXTENTS");
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XDestroyWindow(display, probe);
    if (extents.size() < 4)
        return {};
    return {static_cast<int>(extents[0]), static_cast<int>(extents[2]), static_cast<int>(extents[1]),
            static_cast<int>(extents[3])};
}
} // namespace

WindowRoom GetWindowRoom()
{
    const DisplayHandle display(XOpenDisplay(nullptr), &XCloseDisplay);
    if (display == nullptr)
        return {{0, 0, static_cast<int>(logicalWidth), static_cast<int>(logicalHeight)}, {}};
    return {GetUsableArea(display.get()), RequestFrameExtents(display.get())};
}
