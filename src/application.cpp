#include "application.h"

#include "constants.h"
#include "game.h"
#include "info_menu.h"
#include "platform.h"
#include "start_menu.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>

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
void LoadGroup(std::map<std::string, Asset>& assets, const std::array<AssetEntry, Count>& table,
               const std::filesystem::path& directory)
{
    for (const AssetEntry& entry : table)
        LoadAsset(assets, entry.key, directory / entry.file);
}

std::mt19937& Generator()
{
    static std::mt19937 generator(0);
    return generator;
}
} // namespace

std::filesystem::path GetAssetDirectory()
{
    return GetExecutableDirectory() / "assets";
}

void WriteLog(const std::string& text)
{
    std::ofstream log(GetAssetDirectory() / logFileName, std::ios::app);
    log << text << '\n';
}

void ResetLog()
{
    std::ofstream log(GetAssetDirectory() / logFileName, std::ios::trunc);
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

std::vector<int> ParseBestResults(std::istream& input)
{
    // Six numbers already make the file unusable, so a huge file is never read to its end.
    std::vector<int> numbers;
    int number = 0;
    while (numbers.size() <= bestResultCount && input >> number)
        numbers.push_back(number);
    if (numbers.size() != bestResultCount)
        return std::vector<int>(bestResultCount, 0);
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return numbers;
}

std::vector<int> ReadBestResults(const std::filesystem::path& path)
{
    std::ifstream file(path);
    return ParseBestResults(file);
}

bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores)
{
    // Written beside the old file and renamed over it: a crash or a full disk leaves
    // either the old results or the new ones, never a truncated file.
    const std::string temporaryPath = path.string() + ".tmp";
    std::FILE* file = std::fopen(temporaryPath.c_str(), "w");
    if (file == nullptr)
        return false;
    bool written = true;
    for (const int score : scores)
        written = written && std::fprintf(file, "%d\n", score) > 0;
    written = written && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporaryPath.c_str(), path.string().c_str()) != 0)
    {
        std::remove(temporaryPath.c_str());
        return false;
    }
    return true;
}

void AbortOnMissingAsset(const std::filesystem::path& path)
{
    WriteLog("Failed loading asset" + path.string());
    ShowErrorBox(errorCaption, missingAssetMessage);
    WriteLog("Exiting");
    std::exit(EXIT_FAILURE);
}

void LoadAllAssets(AppContext& context, const std::filesystem::path& assetDirectory)
{
    WriteLog("Begin loading assets.");
    LoadGroup(context.fonts, fontTable, assetDirectory / "fonts");
    WriteLog("Fonts loaded.");

    WriteLog("Began loading textures.");
    LoadGroup(context.textures, textureTable, assetDirectory / "textures");
    WriteLog("Textures loaded.");
    for (auto& [key, texture] : context.textures)
        texture.setSmooth(true);
    WriteLog("Texture smoothness set.");

    WriteLog("Began loading sounds.");
    LoadGroup(context.soundBuffers, soundTable, assetDirectory / "sounds");
    WriteLog("Sounds loaded.");
}

AppContext::AppContext(sf::RenderWindow* window)
    : window(window)
{
}

Screen::Screen(AppContext* context)
    : m_context(context)
{
}

sf::Vector2f Screen::GetMousePosition() const
{
    return sf::Vector2f(sf::Mouse::getPosition(*m_context->window));
}

Application::Application(sf::RenderWindow* window)
    : m_context(window)
{
    const std::filesystem::path assetDirectory = GetAssetDirectory();
    WriteLog("Application constructor started.");
    m_context.highScores = ReadBestResults(assetDirectory / bestResultsFileName);
    WriteLog("Scores loaded.");
    LoadAllAssets(m_context, assetDirectory);
    m_screen = std::make_unique<StartMenu>(&m_context);
    WriteLog("Created StartMenu object.");
}

Application::~Application()
{
    WriteBestResults(GetAssetDirectory() / bestResultsFileName, m_context.highScores);
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
