#include "platform_desktop.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <system_error>
#include <utility>

// The GUI entry point, so no console window opens. No argument is read but the tests' own.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const int status = kvelmora::RunProgram(__argc, __argv);
    // Everything the player keeps is written and closed by now. What a normal exit still runs, the
    // libraries' static teardown (SFML's shared GL context) and every DLL's detach, keeps nothing, and
    // under Wine it now and then held the process for longer than a school's deployment tools wait.
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    return status;
}

namespace kvelmora::platform
{
namespace
{
constexpr DWORD longestPath = 32768;         // the longest path Windows can hand over, in UTF-16 units
constexpr int temporaryNameAttempts = 100;   // unique names tried before a replace gives up
constexpr std::size_t readBufferSize = 4096; // bytes read from a file at a time
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr auto lockWait = std::chrono::seconds(2);                // how long a save waits for another copy's
constexpr DWORD lockPollMilliseconds = 10;                        // between attempts at a busy lock
constexpr std::uint64_t fnvOffsetBasis = 14695981039346656037ull; // FNV-1a, 64 bits
constexpr std::uint64_t fnvPrime = 1099511628211ull;
const std::wstring gameFolder = L"Kvelmora";               // below the player's application-data folders
const std::wstring uninstallerName = L"Uninstall.exe";     // what the per-user installer puts beside the game
const std::wstring installedMarkerName = L"installed.txt"; // what the school's MSI puts beside the game

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

// A folder of the signed-in user's profile; empty when Windows cannot say.
std::filesystem::path KnownFolder(REFKNOWNFOLDERID folder)
{
    PWSTR path = nullptr;
    std::filesystem::path result;
    if (SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        result = path;
    CoTaskMemFree(path);
    return result;
}

// Owns an open file handle.
class FileHandle
{
public:
    explicit FileHandle(HANDLE value)
        : m_value(value)
    {
    }
    ~FileHandle()
    {
        if (IsOpen())
            CloseHandle(m_value);
    }
    FileHandle(FileHandle&& other) noexcept
        : m_value(std::exchange(other.m_value, INVALID_HANDLE_VALUE))
    {
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return m_value != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_value; }
    bool Close() { return CloseHandle(std::exchange(m_value, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE m_value;
};

// Opens the path itself, never what a symbolic link or junction there points to.
FileHandle OpenFile(const std::filesystem::path& path, DWORD access, DWORD disposition, DWORD share = shareAll)
{
    return FileHandle(CreateFileW(path.c_str(), access, share, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using MutexHandle = std::unique_ptr<void, HandleCloser>; // null when missing, unlike a file handle

// A plain file on a disk: not a folder, a link, a device or a pipe.
bool IsRegularFile(const FileHandle& file)
{
    BY_HANDLE_FILE_INFORMATION information = {};
    return GetFileType(file.Get()) == FILE_TYPE_DISK && GetFileInformationByHandle(file.Get(), &information) &&
           (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool WriteAll(const FileHandle& file, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, MAXDWORD));
        DWORD written = 0;
        if (!WriteFile(file.Get(), text.data() + done, chunk, &written, nullptr))
            return false;
        done += written;
    }
    return true;
}

// A name beside the target that no other file has: the process number and a count.
std::filesystem::path TemporaryName(const std::filesystem::path& path, int attempt)
{
    std::filesystem::path name = path;
    name += "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(attempt) + ".tmp";
    return name;
}

// The names TemporaryName gives: the path, a dot, a process number, a dot, a count and ".tmp".
bool IsTemporaryName(const std::wstring& name, const std::wstring& target)
{
    const std::wstring prefix = target + L".";
    const std::wstring suffix = L".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::wstring numbers = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dot = numbers.find(L'.');
    const auto isDigit = [](wchar_t c) {
        return c >= L'0' && c <= L'9';
    };
    return dot != std::wstring::npos && dot > 0 && dot + 1 < numbers.size() &&
           std::all_of(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(dot), isDigit) &&
           std::all_of(numbers.begin() + static_cast<std::ptrdiff_t>(dot) + 1, numbers.end(), isDigit);
}

enum class LockAttempt
{
    Locked,
    Busy,
    Unlockable,
};

// Polls instead of waiting: a copy frozen while it holds the lock must not hold up the others for ever.
LockAttempt PollLock(const std::function<LockAttempt()>& attempt, const std::function<bool()>& stopWaiting)
{
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    for (;;)
    {
        const LockAttempt result = attempt();
        if (result != LockAttempt::Busy)
            return result;
        if (stopWaiting() || std::chrono::steady_clock::now() >= deadline)
            return LockAttempt::Busy;
        Sleep(lockPollMilliseconds);
    }
}

// The action's outcome under a lock that the attempt takes and the release gives back; nothing when
// the lock cannot be had at all.
std::optional<LockedRun> RunUnder(const std::function<LockAttempt()>& attempt, const std::function<void()>& release,
                                  const std::function<bool()>& action, const std::function<bool()>& stopWaiting)
{
    switch (PollLock(attempt, stopWaiting))
    {
    case LockAttempt::Locked:
    {
        const bool done = action();
        release();
        return done ? LockedRun::Succeeded : LockedRun::Failed;
    }
    case LockAttempt::Busy:
        return LockedRun::Busy;
    case LockAttempt::Unlockable:
        break;
    }
    return std::nullopt;
}

// A mutex of this session stands in for a lock file that cannot be locked. Every copy names it after
// the lock file's full path in lower case, hashed, as no '\' may follow the namespace.
std::wstring LockMutexName(const std::filesystem::path& lockFile)
{
    std::error_code error;
    std::wstring path = std::filesystem::absolute(lockFile, error).lexically_normal().wstring();
    CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    std::uint64_t hash = fnvOffsetBasis;
    for (const wchar_t c : path)
    {
        hash ^= static_cast<std::uint64_t>(c);
        hash *= fnvPrime;
    }
    return L"Local\\kvelmora-lock-" + std::to_wstring(hash);
}

// The lock file's own lock; nothing when the file cannot be locked at all.
std::optional<LockedRun> RunUnderLockFile(const std::filesystem::path& lockFile, const std::function<bool()>& action,
                                          const std::function<bool()>& stopWaiting)
{
    const FileHandle file = OpenFile(lockFile, GENERIC_READ, OPEN_ALWAYS);
    if (!file.IsOpen() || !IsRegularFile(file))
        return std::nullopt;
    OVERLAPPED whole = {};
    const auto lock = [&file, &whole] {
        if (LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
            return LockAttempt::Locked;
        return GetLastError() == ERROR_LOCK_VIOLATION ? LockAttempt::Busy : LockAttempt::Unlockable;
    };
    const auto unlock = [&file, &whole] {
        UnlockFileEx(file.Get(), 0, MAXDWORD, MAXDWORD, &whole);
    };
    return RunUnder(lock, unlock, action, stopWaiting);
}

LockedRun RunUnderMutex(const std::filesystem::path& lockFile, const std::function<bool()>& action,
                        const std::function<bool()>& stopWaiting)
{
    const MutexHandle mutex(CreateMutexW(nullptr, FALSE, LockMutexName(lockFile).c_str()));
    if (!mutex)
        return LockedRun::NoLock;
    const auto take = [&mutex] {
        switch (WaitForSingleObject(mutex.get(), 0))
        {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED: // its holder ended while it held it
            return LockAttempt::Locked;
        case WAIT_TIMEOUT:
            return LockAttempt::Busy;
        default:
            return LockAttempt::Unlockable;
        }
    };
    const auto release = [&mutex] {
        ReleaseMutex(mutex.get());
    };
    return RunUnder(take, release, action, stopWaiting).value_or(LockedRun::NoLock);
}

// Reads an open file through its handle, so the stream sees the very file that was checked.
class FileBuffer final : public std::streambuf
{
public:
    explicit FileBuffer(FileHandle&& file)
        : m_file(std::move(file))
    {
    }

private:
    int_type underflow() override
    {
        DWORD read = 0;
        if (!ReadFile(m_file.Get(), m_buffer.data(), static_cast<DWORD>(m_buffer.size()), &read, nullptr) || read == 0)
            return traits_type::eof();
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + read);
        return traits_type::to_int_type(m_buffer.front());
    }

    FileHandle m_file;
    std::array<char, readBufferSize> m_buffer{};
};

class FileStream final : public std::istream
{
public:
    explicit FileStream(FileHandle&& file)
        : std::istream(nullptr)
        , m_buffer(std::move(file))
    {
        rdbuf(&m_buffer);
    }

private:
    FileBuffer m_buffer;
};

// Whether the path lies inside the folder; Windows paths ignore case.
bool IsInside(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    if (folder.empty())
        return false;
    const std::wstring inner = path.lexically_normal().wstring();
    const std::wstring outer = (folder.lexically_normal() / L"").wstring();
    return inner.size() >= outer.size() &&
           CompareStringOrdinal(inner.c_str(), static_cast<int>(outer.size()), outer.c_str(),
                                static_cast<int>(outer.size()), TRUE) == CSTR_EQUAL;
}
} // namespace

// The wide call, as a user folder such as C:\Users\Jiří\ has no name in many ANSI code pages.
std::filesystem::path GetExecutableDirectory()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::filesystem::path(buffer.substr(0, length)).parent_path();
        if (buffer.size() >= longestPath)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

// One folder for both, on this computer only: a roaming profile would carry the log around.
PlayerFolders GetPlayerFolders()
{
    const std::filesystem::path folder = KnownFolder(FOLDERID_LocalAppData) / gameFolder;
    return {folder, folder};
}

// The per-user installer leaves its uninstaller beside the game and the MSI a marker file, wherever
// an administrator installs it; an unpacked zip has neither. A game in the programs folders counts as
// installed too, so that even an administrator's run writes nothing there. The assets stay beside
// the executable either way.
std::optional<std::filesystem::path> GetInstalledAssetDirectory(const std::filesystem::path& executableDirectory)
{
    std::error_code error;
    const bool installed = std::filesystem::is_regular_file(executableDirectory / uninstallerName, error) ||
                           std::filesystem::is_regular_file(executableDirectory / installedMarkerName, error) ||
                           IsInside(executableDirectory, KnownFolder(FOLDERID_ProgramFiles)) ||
                           IsInside(executableDirectory, KnownFolder(FOLDERID_ProgramFilesX86));
    if (!installed)
        return std::nullopt;
    return executableDirectory / "assets";
}

// Only a real attempt tells: permissions on Windows come from access lists, not from mode bits.
bool CanWriteTo(const std::filesystem::path& folder)
{
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt)
    {
        const FileHandle probe(CreateFileW(TemporaryName(folder / "write-check", attempt).c_str(), GENERIC_WRITE, 0,
                                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                           nullptr));
        if (probe.IsOpen())
            return true;
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

// Wide texts, so the Czech letters show whatever the system's ANSI code page.
void ShowErrorBox(const std::string& caption, const std::string& text)
{
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// A Windows session always has a desktop to open the window on.
DisplayHold HoldDisplay()
{
    return std::make_shared<bool>(true);
}

// Windows ends a GUI program at logoff or shutdown without anything the frame loop could see;
// what must survive that is written when it happens, not at the end of the run.
void InstallStopHandlers()
{
}

bool IsStopRequested()
{
    return false;
}

// A Windows session never takes the display away from a running program.
void SetDisplayLossAction(std::function<void()>)
{
}

std::optional<std::uintmax_t> AppendToFile(const std::filesystem::path& path, const std::string& text)
{
    const FileHandle file = OpenFile(path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
    LARGE_INTEGER size = {};
    if (!file.IsOpen() || !IsRegularFile(file) || !WriteAll(file, text) || !GetFileSizeEx(file.Get(), &size))
        return std::nullopt;
    return static_cast<std::uintmax_t>(size.QuadPart);
}

void EmptyFile(const std::filesystem::path& path)
{
    const FileHandle file = OpenFile(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
    if (file.IsOpen() && IsRegularFile(file))
        SetEndOfFile(file.Get());
}

// rename() never replaces an existing file on Windows; MoveFileExW does, and with
// MOVEFILE_WRITE_THROUGH returns only once the move is on disk.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& content)
{
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt)
    {
        const std::filesystem::path temporary = TemporaryName(path, attempt);
        // Not shared for deletion while open, so RemoveLeftoverTemporaries leaves a running write's file.
        FileHandle file = OpenFile(temporary, GENERIC_WRITE, CREATE_NEW, FILE_SHARE_READ);
        if (!file.IsOpen())
        {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return false;
        }
        const bool written = WriteAll(file, content) && FlushFileBuffers(file.Get());
        if (!file.Close() || !written ||
            !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        {
            DeleteFileW(temporary.c_str());
            return false;
        }
        return true;
    }
    return false;
}

std::unique_ptr<std::istream> OpenRegularFile(const std::filesystem::path& path)
{
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() || !IsRegularFile(file))
        return nullptr;
    return std::make_unique<FileStream>(std::move(file));
}

void RemoveLeftoverTemporaries(const std::filesystem::path& path)
{
    const std::wstring target = path.filename().wstring();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(path.parent_path().empty() ? L"." : path.parent_path(), error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
    {
        // A running write's file refuses deletion.
        if (IsTemporaryName(entry->path().filename().wstring(), target))
            DeleteFileW(entry->path().c_str());
    }
}

LockedRun RunLocked(const std::filesystem::path& lockFile, const std::function<bool()>& action,
                    const std::function<bool()>& stopWaiting)
{
    if (const std::optional<LockedRun> run = RunUnderLockFile(lockFile, action, stopWaiting))
        return *run;
    // A folder or a link planted at the lock file's name refuses the lock, but not a mutex.
    return RunUnderMutex(lockFile, action, stopWaiting);
}

WindowRoom GetWindowRoom()
{
    RECT work = {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The styles SFML gives a window with a title bar and a close button.
    RECT frame = {};
    AdjustWindowRect(&frame, WS_CAPTION | WS_MINIMIZEBOX | WS_SYSMENU, FALSE);
    return {{work.left, work.top, work.right - work.left, work.bottom - work.top},
            {-frame.left, -frame.top, frame.right, frame.bottom}};
}

float GetPadDownSign()
{
    return -1.f;
}
} // namespace kvelmora::platform
