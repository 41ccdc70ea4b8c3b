#include "platform.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace
{
constexpr DWORD longestPath = 32768; // the longest path Windows can hand over, in UTF-16 units

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
} // namespace

// The GUI entry point, so no console window opens. No argument is read but the tests' own.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunProgram(__argc, __argv);
}

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

// Wide texts, so the Czech letters show whatever the system's ANSI code page.
void ShowErrorBox(const std::string& caption, const std::string& text)
{
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// A Windows session always has a desktop to open the window on.
bool CanOpenWindow()
{
    return true;
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
