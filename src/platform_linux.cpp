#include "platform_desktop.h"

#include <SDL2/SDL_messagebox.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ext/stdio_filebuf.h>
#include <iostream>
#include <system_error>
#include <thread>
#include <vector>

int main(int argc, char* argv[])
{
    return kvelmora::RunProgram(argc, argv);
}

namespace kvelmora::platform
{
namespace
{
const std::string gameFolder = "kvelmora";
constexpr auto lockWait = std::chrono::seconds(2);       // how long a save waits for another copy's
constexpr auto lockPoll = std::chrono::milliseconds(10); // between attempts at a busy lock
constexpr std::size_t temporarySuffixLength = 6;         // the XXXXXX that mkostemp fills in

volatile std::sig_atomic_t stopRequested = 0; // set by SIGTERM, SIGINT or SIGHUP

void RequestStop(int)
{
    stopRequested = 1;
}

std::function<void()>& DisplayLossAction()
{
    static std::function<void()> action;
    return action;
}

// Xlib ends the process once this returns, and no X call may be made here.
int EndOnDisplayLoss(Display*)
{
    std::cerr << "kvelmora: the connection to the X display was lost\n";
    if (DisplayLossAction())
        DisplayLossAction()();
    std::_Exit(EXIT_FAILURE);
}

// Owns an open file descriptor.
class Descriptor
{
public:
    explicit Descriptor(int value)
        : m_value(value)
    {
    }
    ~Descriptor()
    {
        if (m_value >= 0)
            close(m_value);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool IsOpen() const { return m_value >= 0; }
    int Get() const { return m_value; }
    int Release()
    {
        const int value = m_value;
        m_value = -1;
        return value;
    }
    bool Close() { return close(Release()) == 0; }

private:
    int m_value;
};

// An input stream that owns a descriptor.
class DescriptorStream final : public std::istream
{
public:
    explicit DescriptorStream(int descriptor)
        : std::istream(nullptr)
        , m_buffer(descriptor, std::ios::in)
    {
        rdbuf(&m_buffer);
    }

private:
    __gnu_cxx::stdio_filebuf<char> m_buffer;
};

bool IsRegularFile(int descriptor)
{
    struct stat status = {};
    return fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

bool WriteAll(int descriptor, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const ssize_t written = write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno != EINTR)
            return false;
        if (written > 0)
            done += static_cast<std::size_t>(written);
    }
    return true;
}

// What a file created with open() would get: everyone may read it unless the umask says otherwise.
mode_t CreatedFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The folder itself, for a lock or a flush.
int OpenFolder(const std::filesystem::path& folder)
{
    return open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The rename itself is only on disk once the folder is. A file system that cannot flush a
// folder (EINVAL) keeps its renames without it.
bool SyncFolder(const std::filesystem::path& folder)
{
    const Descriptor descriptor(OpenFolder(folder));
    return descriptor.IsOpen() && (fsync(descriptor.Get()) == 0 || errno == EINVAL);
}

enum class LockAttempt
{
    Locked,
    Busy,
    Unlockable,
};

// Polls instead of blocking: a copy frozen while it holds the lock must not hold up the others for
// ever, and a wait in flock() would not even end on a stop request.
LockAttempt LockWithin(const Descriptor& lock, const std::function<bool()>& stopWaiting)
{
    if (!lock.IsOpen())
        return LockAttempt::Unlockable;
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    for (;;)
    {
        if (flock(lock.Get(), LOCK_EX | LOCK_NB) == 0)
            return LockAttempt::Locked;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return LockAttempt::Unlockable;
        if (stopWaiting() || std::chrono::steady_clock::now() >= deadline)
            return LockAttempt::Busy;
        std::this_thread::sleep_for(lockPoll);
    }
}

// The action's outcome under the descriptor's lock; nothing when the descriptor cannot be locked.
std::optional<LockedRun> RunHolding(const Descriptor& lock, const std::function<bool()>& action,
                                    const std::function<bool()>& stopWaiting)
{
    switch (LockWithin(lock, stopWaiting))
    {
    case LockAttempt::Locked:
        return action() ? LockedRun::Succeeded : LockedRun::Failed; // the lock goes with the descriptor
    case LockAttempt::Busy:
        return LockedRun::Busy;
    case LockAttempt::Unlockable:
        break;
    }
    return std::nullopt;
}

// The names mkostemp gives the new files of a write: the path, a dot and six letters or digits.
bool IsTemporaryName(const std::string& name, const std::string& target)
{
    const std::string prefix = target + '.';
    const auto isLetterOrDigit = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    return name.size() == prefix.size() + temporarySuffixLength && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), isLetterOrDigit);
}

std::filesystem::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return home;
    const passwd* account = getpwuid(getuid());
    return account != nullptr ? account->pw_dir : "";
}

// An XDG base folder: the variable when it holds an absolute path, as the standard asks, else
// its default below the home folder.
std::filesystem::path UserFolder(const char* variable, const char* defaultBelowHome)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && std::filesystem::path(value).is_absolute())
        return value;
    return HomeFolder() / defaultBelowHome;
}
} // namespace

std::filesystem::path GetExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

PlayerFolders GetPlayerFolders()
{
    return {UserFolder("XDG_DATA_HOME", ".local/share") / gameFolder,
            UserFolder("XDG_STATE_HOME", ".local/state") / gameFolder};
}

std::optional<std::filesystem::path> GetInstalledAssetDirectory(const std::filesystem::path& executableDirectory)
{
    std::error_code error;
    if (std::filesystem::is_directory(executableDirectory / "assets", error))
        return std::nullopt;
    return executableDirectory.parent_path() / "share" / gameFolder / "assets";
}

bool CanWriteTo(const std::filesystem::path& folder)
{
    return access(folder.c_str(), W_OK) == 0;
}

void ShowErrorBox(const std::string& caption, const std::string& text)
{
    std::cerr << caption << ": " << text << std::endl;
    // SDL sets the box's locale from the environment; under a locale that is not UTF-8 (LANG=C)
    // the text would stop at its first Czech letter.
    const char* const previous = std::getenv("LC_ALL");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("LC_ALL", "C.UTF-8", 1);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
    if (previous != nullptr)
        setenv("LC_ALL", saved.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

DisplayHold HoldDisplay()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    return DisplayHold(display, [](void* held) { XCloseDisplay(static_cast<Display*>(held)); });
}

void InstallStopHandlers()
{
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    action.sa_flags = SA_RESTART; // loading files and talking to the X server go on undisturbed
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool IsStopRequested()
{
    return stopRequested != 0;
}

void SetDisplayLossAction(std::function<void()> action)
{
    DisplayLossAction() = std::move(action);
    XSetIOErrorHandler(EndOnDisplayLoss);
}

std::optional<std::uintmax_t> AppendToFile(const std::filesystem::path& path, const std::string& text)
{
    const Descriptor descriptor(
        open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    struct stat status = {};
    if (!descriptor.IsOpen() || !IsRegularFile(descriptor.Get()) || !WriteAll(descriptor.Get(), text) ||
        fstat(descriptor.Get(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uintmax_t>(status.st_size);
}

void EmptyFile(const std::filesystem::path& path)
{
    const Descriptor descriptor(
        open(path.c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
}

bool WriteWholeFile(const std::filesystem::path& path, const std::string& content)
{
    // A unique new name, created exclusively: never an existing file, folder or symlink, and never
    // another copy's file.
    std::string temporary = path.string() + ".XXXXXX";
    Descriptor descriptor(mkostemp(temporary.data(), O_CLOEXEC));
    if (!descriptor.IsOpen())
        return false;
    // Held until the file is closed, so RemoveLeftoverTemporaries knows a running write's file.
    flock(descriptor.Get(), LOCK_EX | LOCK_NB);
    const bool written = WriteAll(descriptor.Get(), content) && fchmod(descriptor.Get(), CreatedFileMode()) == 0 &&
                         fsync(descriptor.Get()) == 0;
    if (!descriptor.Close() || !written || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(path.parent_path());
}

std::unique_ptr<std::istream> OpenRegularFile(const std::filesystem::path& path)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever.
    Descriptor descriptor(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!descriptor.IsOpen() || !IsRegularFile(descriptor.Get()))
        return nullptr;
    return std::make_unique<DescriptorStream>(descriptor.Release());
}

void RemoveLeftoverTemporaries(const std::filesystem::path& path)
{
    const std::string target = path.filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(path.parent_path().empty() ? "." : path.parent_path(), error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
    {
        if (!IsTemporaryName(entry->path().filename().string(), target))
            continue;
        // A killed write's lock went with it; a running one's still holds.
        const Descriptor file(open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.IsOpen() && IsRegularFile(file.Get()) && flock(file.Get(), LOCK_EX | LOCK_NB) == 0)
            unlink(entry->path().c_str());
    }
}

LockedRun RunLocked(const std::filesystem::path& lockFile, const std::function<bool()>& action,
                    const std::function<bool()>& stopWaiting)
{
    const Descriptor file(open(lockFile.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    if (const std::optional<LockedRun> run = RunHolding(file, action, stopWaiting))
        return *run;
    // A folder or a link planted at the lock file's name refuses the lock; the folder that holds
    // the results cannot be planted, and every copy that falls back locks that same folder.
    const Descriptor folder(OpenFolder(lockFile.parent_path()));
    return RunHolding(folder, action, stopWaiting).value_or(LockedRun::NoLock);
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

float GetPadDownSign()
{
    return 1.f;
}
} // namespace kvelmora::platform
