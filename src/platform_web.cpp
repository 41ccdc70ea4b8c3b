// The browser: the assets are preloaded into the page's memory, the player's files live in the
// browser's own storage, the log goes to the console and the game fills the page.
#include "platform.h"

#include <emscripten.h>

#include <fstream>
#include <system_error>

namespace
{
// The player's files: web/early_start.js reads the browser's storage into this folder before main
// starts, and each whole file the game writes is put back on its own.
const char* const savedFolder = "/kvelmora";
} // namespace

// JavaScript, in the style of the page.
// clang-format off
// Each awaits the browser's storage (kvelmoraStorage in web/early_start.js), which answers later or
// not at all: the frame loop waits meanwhile, for a bounded time. 1 once done, 0 when it failed.
EM_ASYNC_JS(int, kvelmoraStoreFile, (const char* path), {
    return await kvelmoraStorage.store(UTF8ToString(path)).then(() => 1, error => {
        console.warn('kvelmora: the file could not be saved: ' + error);
        return 0;
    });
});

EM_ASYNC_JS(int, kvelmoraReadStorage, (), {
    return await kvelmoraStorage.load().then(() => 1, error => {
        console.warn('kvelmora: the saved files could not be read: ' + error);
        return 0;
    });
});

// Tabs of the same game take turns through the page's lock; 1 once held, 0 when the wait ran out.
EM_ASYNC_JS(int, kvelmoraTakeSaveLock, (int milliseconds), {
    Module.kvelmoraReleaseSaveLock = await kvelmoraStorage.lock(milliseconds);
    return Module.kvelmoraReleaseSaveLock ? 1 : 0;
});

EM_JS(void, kvelmoraReleaseSaveLock, (), {
    if (Module.kvelmoraReleaseSaveLock)
        Module.kvelmoraReleaseSaveLock();
    Module.kvelmoraReleaseSaveLock = null;
});

EM_JS(void, kvelmoraShowError, (const char* caption, const char* text), {
    if (Module.showError)
        Module.showError(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(void, kvelmoraToggleFullscreen, (), {
    const canvas = Module.canvas;
    if (document.fullscreenElement)
        document.exitFullscreen().catch(() => {});
    else if (canvas.requestFullscreen)
        canvas.requestFullscreen().catch(error => console.warn('kvelmora: fullscreen refused: ' + error.message));
});

// A frame writes a few lines: they go out together when the frame yields to the browser.
EM_JS(void, kvelmoraLog, (const char* line), {
    const lines = Module.kvelmoraLogLines || (Module.kvelmoraLogLines = []);
    lines.push(UTF8ToString(line));
    if (lines.length === 1)
        setTimeout(() => console.log(lines.splice(0).join('\n')), 0);
});

// clang-format on

int main(int argc, char* argv[])
{
    return kvelmora::RunProgram(argc, argv);
}

namespace kvelmora::platform
{
namespace
{
constexpr int lockWaitMilliseconds = 2000;

// The browser's lock, once taken, is given back on every way out.
struct SaveLockHold
{
    SaveLockHold() = default;
    SaveLockHold(const SaveLockHold&) = delete;
    SaveLockHold& operator=(const SaveLockHold&) = delete;
    ~SaveLockHold() { kvelmoraReleaseSaveLock(); }
};

// Writes the file whole; the browser's memory holds it, so nothing else can see it half written.
bool WriteFile(const std::filesystem::path& path, const std::string& content, std::ios::openmode mode)
{
    std::ofstream file(path, std::ios::binary | mode);
    file << content;
    file.close();
    return static_cast<bool>(file);
}
} // namespace

WindowHost GetWindowHost()
{
    return {nullptr, kvelmoraToggleFullscreen};
}

bool WriteToSystemLog(const std::string& line)
{
    kvelmoraLog(line.c_str());
    return true;
}

PlayerFolders GetPlayerFolders()
{
    return {savedFolder, savedFolder};
}

// The preloaded assets are read only.
GameCopy FindGameCopy()
{
    return {CopyKind::Page, "/assets", false};
}

void ShowErrorBox(const std::string& caption, const std::string& text)
{
    kvelmoraShowError(caption.c_str(), text.c_str());
}

DisplayHold HoldDisplay()
{
    return std::make_shared<int>(0);
}

void InstallStopHandlers()
{
}

bool IsStopRequested()
{
    return false;
}

void SetDisplayLossAction(std::function<void()>)
{
}

std::optional<std::uintmax_t> AppendToFile(const std::filesystem::path& path, const std::string& text)
{
    if (!WriteFile(path, text, std::ios::app))
        return std::nullopt;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? std::nullopt : std::optional<std::uintmax_t>(size);
}

void EmptyFile(const std::filesystem::path& path)
{
    WriteFile(path, "", std::ios::trunc);
}

bool WriteWholeFile(const std::filesystem::path& path, const std::string& content)
{
    return WriteFile(path, content, std::ios::trunc) && kvelmoraStoreFile(path.c_str()) != 0;
}

// A closed tab leaves no half-written file: nothing reaches the storage but whole files.
void RemoveLeftoverTemporaries(const std::filesystem::path&)
{
}

std::unique_ptr<std::istream> OpenRegularFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    auto stream = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*stream)
        return nullptr;
    return stream;
}

// Another tab may have saved since this one read: the files are read again from the storage under
// the lock, so the action merges with what the other tab kept. Storage that cannot be read fails
// the run without the action, which would otherwise write over what it could not see.
LockedRun RunLocked(const std::filesystem::path&, const std::function<bool()>& action, const std::function<bool()>&)
{
    if (kvelmoraTakeSaveLock(lockWaitMilliseconds) == 0)
        return LockedRun::Busy;
    const SaveLockHold hold;
    if (kvelmoraReadStorage() == 0)
        return LockedRun::Failed;
    return action() ? LockedRun::Succeeded : LockedRun::Failed;
}

float GetPadDownSign()
{
    return 1.f;
}
} // namespace kvelmora::platform
