#include "application.h"

#include "constants.h"
#include "game.h"
#include "info_menu.h"
#include "platform.h"
#include "start_menu.h"
#include "window_fit.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>

const std::string korvelKey = "korvel";
const std::string partnerLogosKey = "logos-60";
const std::string playerTextureKey = "player-74";
const std::string largeCloud1Key = "cloud1-256";
const std::string largeCloud2Key = "cloud2-256";
const std::string smallCloud1Key = "cloud1-128";
const std::string smallCloud2Key = "cloud2-128";
const std::string canKey = "can-small";
const std::string cokeCanKey = "coke-can-small";
const std::string glassBottleKey = "glass-bottle-small";
const std::string plasticBottleKey = "plastic-bottle-small";
const std::string hvezdniceKey = "hvezdnice";
const std::string lenKey = "len";
const std::string sasankaKey = "sasanka";
const std::string vegetaceKey = "vegetace";
const std::string morfologieKey = "morfologie";
const std::string pickupSoundKey = "pickup";
const std::string gameOverSoundKey = "game-over";

namespace
{
const std::string logFileName = "log.txt";
const std::string rotatedLogFileName = "log.1.txt";
const std::string bestResultsFileName = "high_scores.txt";
const std::string errorCaption = "Chyba";
const std::string missingAssetMessage = "Aplikace nenalezla všechny soubory. Nainstalujte hru znova.";

struct AssetEntry
{
    const std::string& key;
    const char* file;
};

const std::array<AssetEntry, 2> fontTable = {{
    {regularFontKey, "texgyreadventor-regular.otf"},
    {boldFontKey, "texgyreadventor-bold.otf"},
}};

const std::array<AssetEntry, 16> textureTable = {{
    {korvelKey, "Logos/korvel_50.png"},
    {partnerLogosKey, "Logos/logos_combined_60.png"},
    {playerTextureKey, "Player/player_spritesheet_74.png"},
    {largeCloud1Key, "Clouds/256x256/Cloud_1.png"},
    {largeCloud2Key, "Clouds/256x256/Cloud_2.png"},
    {smallCloud1Key, "Clouds/128x128/Cloud_1.png"},
    {smallCloud2Key, "Clouds/128x128/Cloud_2.png"},
    {canKey, "Garbage/can_small_thinnest.v2.png"},
    {cokeCanKey, "Garbage/coke_can_small_thinnest.v2.png"},
    {glassBottleKey, "Garbage/glass_bottle_small_thinnest.v2.png"},
    {plasticBottleKey, "Garbage/plastic_bottle_small_thinnest.v2.png"},
    {hvezdniceKey, "Flowers/hvezdnice_larger.png"},
    {lenKey, "Flowers/len_larger.png"},
    {sasankaKey, "Flowers/sasanka_larger.png"},
    {vegetaceKey, "vegetace_20.jpg"},
    {morfologieKey, "morfologie_2_20.jpg"},
}};

const std::array<AssetEntry, 2> soundTable = {{
    {pickupSoundKey, "pickup.wav"},
    {gameOverSoundKey, "game_over.wav"},
}};

template <typename Asset, std::size_t Count>
void LoadGroup(std::map<std::string, Asset>& assets, std::map<std::string, std::string>& files,
               const std::array<AssetEntry, Count>& table, const std::filesystem::path& directory)
{
    for (const AssetEntry& entry : table)
        LoadAsset(assets, entry.key, directory / entry.file, files[entry.key]);
}

FileLocations FindFileLocations()
{
    const std::filesystem::path executableDirectory = GetExecutableDirectory();
    const std::filesystem::path portableAssets = executableDirectory / "assets";
    const std::optional<std::filesystem::path> installedAssets = GetInstalledAssetDirectory(executableDirectory);
    const bool portableWritable = !installedAssets && CanWriteTo(portableAssets);
    FileLocations locations =
        ChooseFileLocations(portableAssets, installedAssets, portableWritable, GetPlayerFolders());
    // A failure shows later, as a missing log or a failed save.
    std::error_code error;
    std::filesystem::create_directories(locations.bestResults, error);
    std::filesystem::create_directories(locations.log, error);
    return locations;
}

const std::filesystem::path& LogDirectory()
{
    return GetFileLocations().log;
}

// The line that passed the limit is whole in the old file; the next one starts a new file.
void RotateLog()
{
    std::error_code error;
    std::filesystem::rename(LogDirectory() / logFileName, LogDirectory() / rotatedLogFileName, error);
}

std::filesystem::path WithSuffix(std::filesystem::path path, const std::string& suffix)
{
    return path += suffix;
}

std::optional<std::vector<int>> TryReadBestResults(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = OpenRegularFile(path);
    if (!input)
        return std::nullopt;
    return TryParseBestResults(*input);
}

std::vector<int> NoResults()
{
    return std::vector<int>(bestResultCount, 0);
}

// A FIFO or a device has no bytes to keep, an empty file none worth keeping.
bool HoldsBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > 0;
}

// Moved aside rather than copied: a rename keeps the bytes whatever the file's size.
bool KeepDamagedFile(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::rename(path, WithSuffix(path, ".bad"), error);
    return !error;
}

std::mt19937& Generator()
{
    static std::mt19937 generator(0);
    return generator;
}
} // namespace

FileLocations ChooseFileLocations(const std::filesystem::path& portableAssets,
                                  const std::optional<std::filesystem::path>& installedAssets, bool portableWritable,
                                  const PlayerFolders& player)
{
    const std::filesystem::path assets = installedAssets.value_or(portableAssets);
    if (!installedAssets && portableWritable)
        return {assets, assets, assets};
    return {assets, player.data, player.state};
}

const FileLocations& GetFileLocations()
{
    // Worked out once per run: finding the executable costs a system call, and every frame logs lines.
    static const FileLocations locations = FindFileLocations();
    return locations;
}

std::filesystem::path GetAssetDirectory()
{
    return GetFileLocations().assets;
}

void WriteLog(const std::string& text)
{
    // Each line is opened, appended and closed on its own, so a crash never loses the trace.
    const std::optional<std::uintmax_t> size = AppendToFile(LogDirectory() / logFileName, text + '\n');
    if (size && *size > logSizeLimit)
        RotateLog();
}

void ResetLog()
{
    EmptyFile(LogDirectory() / logFileName);
}

sf::Vector2f GetLogicalSize()
{
    return {static_cast<float>(logicalWidth), static_cast<float>(logicalHeight)};
}

sf::View GetLogicalView()
{
    return sf::View(sf::FloatRect({0.f, 0.f}, GetLogicalSize()));
}

void SeedRandom(unsigned int seed)
{
    Generator().seed(seed);
}

int DrawRandom()
{
    // The top 15 bits of a 32-bit draw: uniform over 0..32767 whatever the platform's rand.
    return static_cast<int>(Generator()() >> 17);
}

float DrawFraction()
{
    return static_cast<float>(DrawRandom() / static_cast<double>(randomMax));
}

std::optional<std::vector<int>> TryParseBestResults(std::istream& input)
{
    // Six numbers already make the file unusable, so a huge file is never read to its end.
    std::vector<int> numbers;
    int number = 0;
    while (numbers.size() <= bestResultCount && input >> number)
        numbers.push_back(number);
    if (numbers.size() != bestResultCount)
        return std::nullopt;
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return numbers;
}

std::vector<int> ParseBestResults(std::istream& input)
{
    return TryParseBestResults(input).value_or(NoResults());
}

std::vector<int> ReadBestResults(const std::filesystem::path& path)
{
    return TryReadBestResults(path).value_or(NoResults());
}

bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores)
{
    std::ostringstream content;
    for (const int score : scores)
        content << score << '\n';
    return ReplaceFile(path, content.str());
}

BestResultsStore::BestResultsStore(std::filesystem::path path)
    : m_path(std::move(path))
{
}

std::vector<int> BestResultsStore::Load() const
{
    return ReadBestResults(m_path);
}

void BestResultsStore::Add(int score)
{
    m_unsaved.push_back(score);
}

bool BestResultsStore::Save()
{
    m_lastSaveFailed = !RunLocked(WithSuffix(m_path, ".lock"), [this] { return MergeAndWrite(); });
    if (m_lastSaveFailed)
        TellFailure();
    else
        m_unsaved.clear();
    return !m_lastSaveFailed;
}

bool BestResultsStore::MergeAndWrite() const
{
    // Whatever another copy has saved since stays; this run's unsaved results join it. With one
    // copy running this is exactly the list the run holds.
    const std::optional<std::vector<int>> stored = TryReadBestResults(m_path);
    if (!stored && HoldsBytes(m_path) && !KeepDamagedFile(m_path))
        return false;
    std::vector<int> scores = stored.value_or(NoResults());
    for (const int score : m_unsaved)
        InsertBestResult(scores, score);
    return WriteBestResults(m_path, scores);
}

void BestResultsStore::TellFailure()
{
    WriteLog("Best results not saved.");
    if (!m_failureTold)
        std::cerr << "kvelmora: cannot save the best results to " << m_path.string() << '\n';
    m_failureTold = true;
}

void AbortOnMissingAsset(const std::filesystem::path& path)
{
    WriteLog("Failed loading asset" + path.string());
    ShowErrorBox(errorCaption, missingAssetMessage);
    WriteLog("Exiting");
    std::exit(EXIT_FAILURE);
}

std::string ReadAssetFile(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = OpenRegularFile(path);
    if (!input)
        return {};
    std::ostringstream content;
    content << input->rdbuf();
    return content.str();
}

void LoadAllAssets(AppContext& context, const std::filesystem::path& assetDirectory)
{
    WriteLog("Begin loading assets.");
    LoadGroup(context.fonts, context.assetFiles, fontTable, assetDirectory / "fonts");
    WriteLog("Fonts loaded.");

    WriteLog("Began loading textures.");
    LoadGroup(context.textures, context.assetFiles, textureTable, assetDirectory / "textures");
    WriteLog("Textures loaded.");
    for (auto& [key, texture] : context.textures)
        texture.setSmooth(true);
    WriteLog("Texture smoothness set.");

    WriteLog("Began loading sounds.");
    LoadGroup(context.soundBuffers, context.assetFiles, soundTable, assetDirectory / "sounds");
    WriteLog("Sounds loaded.");
}

AppContext::AppContext(sf::RenderWindow* window)
    : window(window)
    , bestResults(GetFileLocations().bestResults / bestResultsFileName)
{
}

Screen::Screen(AppContext* context)
    : m_context(context)
{
}

sf::Vector2f Screen::GetMousePosition() const
{
    const sf::RenderWindow& window = *m_context->window;
    return ToLogical(sf::Mouse::getPosition(window), window.getSize());
}

Application::Application(sf::RenderWindow* window)
    : m_context(window)
{
    WriteLog("Application constructor started.");
    m_context.highScores = m_context.bestResults.Load();
    WriteLog("Scores loaded.");
    // Without a display the frame loop never comes back to save at exit.
    SetDisplayLossAction([this] { m_context.bestResults.Save(); });
    LoadAllAssets(m_context, GetAssetDirectory());
    m_screen = std::make_unique<StartMenu>(&m_context);
    WriteLog("Created StartMenu object.");
}

Application::~Application()
{
    SetDisplayLossAction(nullptr);
}

bool Application::SaveBestResults()
{
    return m_context.bestResults.Save();
}

void Application::ProcessEvent(const sf::Event& event)
{
    WriteLog("application: ProcessEvent start.");
    const ScreenRequest request = m_screen->ProcessEvent(event);
    if (request != ScreenRequest::None)
    {
        // The new screen is complete before the old one goes.
        m_screen = CreateScreen(request);
    }
    WriteLog("application: ProcessEvent end.");
}

void Application::Update(float seconds)
{
    WriteLog("application: Update start.");
    m_screen->Update(seconds);
    WriteLog("application: Update end.");
}

void Application::Draw()
{
    WriteLog("application: Draw start.");
    m_screen->Draw();
    WriteLog("application: Draw end.");
}

std::unique_ptr<Screen> Application::CreateScreen(ScreenRequest request)
{
    switch (request)
    {
    case ScreenRequest::OpenStartMenu:
        return std::make_unique<StartMenu>(&m_context);
    case ScreenRequest::OpenInfoMenu:
        return std::make_unique<InfoMenu>(&m_context);
    case ScreenRequest::StartGame:
        return std::make_unique<Game>(&m_context);
    case ScreenRequest::None:
        break;
    }
    return nullptr;
}
