#include "settings.h"

#include "log.h"
#include "platform.h"

#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace kvelmora
{

namespace
{
const std::string soundOffLine = "sound=off";
const std::string soundOnLine = "sound=on";
const std::string speedPrefix = "speed=";
constexpr std::size_t soundLine = 0;
constexpr std::size_t speedLine = 1;
constexpr std::size_t lineCount = 2;    // one a choice
constexpr std::size_t longestLine = 64; // characters read of a line; a longer line is damage anyway

std::string SpeedLine(int speed)
{
    return speedPrefix + std::to_string(speed);
}

// The file's lines without their line ends. A line too long for any choice ends the reading, so a
// huge damaged file is never read to its end.
std::vector<std::string> ReadLines(std::istream& input)
{
    std::vector<std::string> lines;
    std::string line;
    char c = 0;
    while (lines.size() < lineCount && line.size() <= longestLine && input.get(c))
    {
        if (c != '\n')
        {
            line += c;
            continue;
        }
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty() && lines.size() < lineCount)
        lines.push_back(line);
    for (std::string& read : lines)
    {
        if (!read.empty() && read.back() == '\r')
            read.pop_back();
    }
    return lines;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = platform::OpenRegularFile(path);
    return input ? ReadLines(*input) : std::vector<std::string>();
}

int SpeedOf(const std::string& line)
{
    for (const int speed : gameSpeeds)
    {
        if (line == SpeedLine(speed))
            return speed;
    }
    return normalSpeed;
}

Settings ParseLines(const std::vector<std::string>& lines)
{
    Settings settings;
    settings.soundOn = lines.size() <= soundLine || lines[soundLine] != soundOffLine;
    if (lines.size() > speedLine)
        settings.speed = SpeedOf(lines[speedLine]);
    return settings;
}
} // namespace

const std::string settingsFileName = "settings.txt";

Settings ParseSettings(std::istream& input)
{
    return ParseLines(ReadLines(input));
}

SettingsFile::SettingsFile(std::filesystem::path path)
    : m_path(std::move(path))
{
    // What a killed write left; a running write of another copy holds its file and keeps it.
    platform::RemoveLeftoverTemporaries(m_path);
}

Settings SettingsFile::Read() const
{
    return ParseLines(ReadLines(m_path));
}

bool SettingsFile::SaveSoundOn(bool soundOn) const
{
    return SaveLine(soundLine, soundOn ? soundOnLine : soundOffLine);
}

bool SettingsFile::SaveSpeed(int speed) const
{
    return SaveLine(speedLine, SpeedLine(speed));
}

bool SettingsFile::SaveLine(std::size_t index, const std::string& line) const
{
    std::filesystem::path lock = m_path;
    lock += ".lock";
    const platform::LockedRun run = platform::RunLocked(
        lock, [this, index, &line] { return ReplaceLine(index, line); }, platform::IsStopRequested);
    if (run == platform::LockedRun::Succeeded)
        return true;
    WriteLog("main: settings not saved.");
    std::cerr << "kvelmora: cannot save the settings to " << m_path.string() << '\n';
    return false;
}

bool SettingsFile::ReplaceLine(std::size_t index, const std::string& line) const
{
    // Under the lock no other copy is writing, so no running write's file is taken for a leftover.
    platform::RemoveLeftoverTemporaries(m_path);
    std::vector<std::string> lines = ReadLines(m_path);
    // A line before this one that no copy has written yet gets its default; none comes after it, so
    // the sound's choice alone stays the one line it always was.
    const std::vector<std::string> defaults = {soundOnLine, SpeedLine(normalSpeed)};
    while (lines.size() <= index)
        lines.push_back(defaults[lines.size()]);
    lines[index] = line;
    std::string content;
    for (const std::string& kept : lines)
        content += kept + '\n';
    return platform::WriteWholeFile(m_path, content);
}
} // namespace kvelmora
