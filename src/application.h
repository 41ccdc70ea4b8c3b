#pragma once

#include "platform.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sf
{
class RenderWindow;
}

// Where the game reads its assets and keeps its files.
struct FileLocations
{
    std::filesystem::path assets;
    std::filesystem::path bestResults; // the folder of high_scores.txt
    std::filesystem::path log;         // the folder of log.txt
};

// A portable game (assets beside the executable) keeps its files beside its assets while it can
// write there; an installed game, or one unpacked where it cannot write, keeps them in the
// player's own folders.
FileLocations ChooseFileLocations(const std::filesystem::path& portableAssets,
                                  const std::optional<std::filesystem::path>& installedAssets, bool portableWritable,
                                  const PlayerFolders& player);
const FileLocations& GetFileLocations(); // worked out once per run, creating the player's folders as needed
std::filesystem::path GetAssetDirectory();

// Log file
constexpr std::uintmax_t logSizeLimit = 8 * 1024 * 1024; // bytes; beyond it the log moves to log.1.txt
void WriteLog(const std::string& text);
void ResetLog(); // empties log.txt and leaves the previous log.1.txt alone

// The game's own pixels: screens lay out, move and hit-test in these whatever the window's size,
// and the frame loop shows them scaled to the window.
sf::Vector2f GetLogicalSize();
sf::View GetLogicalView(); // the whole logical picture, unscrolled

// The process-wide random generator: every draw is an integer from 0 to randomMax.
constexpr int randomMax = 32767;
void SeedRandom(unsigned int seed);
int DrawRandom();
float DrawFraction(); // a draw divided by randomMax: 0 to 1, both ends possible

// Best results: exactly bestResultCount entries, best first.
constexpr std::size_t bestResultCount = 5;
std::optional<std::vector<int>> TryParseBestResults(std::istream& input); // nothing unless exactly five numbers
std::vector<int> ParseBestResults(std::istream& input);                   // five zeros unless exactly five numbers
std::vector<int> ReadBestResults(const std::filesystem::path& path);
bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores);

// Keeps the best-results file in step with the run: a finished game's result is saved at once, and
// everything again at exit. Another copy of the game may save to the same file meanwhile, so each
// save merges this run's unsaved results into what the file holds then.
class BestResultsStore
{
public:
    explicit BestResultsStore(std::filesystem::path path);

    std::vector<int> Load() const;
    void Add(int score); // a finished game's score, saved by the next Save
    bool Save();         // a failure is told once on standard error
    bool LastSaveFailed() const { return m_lastSaveFailed; }

private:
    bool MergeAndWrite() const;
    void TellFailure();

    std::filesystem::path m_path;
    std::vector<int> m_unsaved; // scores of finished games that the file does not hold yet
    bool m_lastSaveFailed = false;
    bool m_failureTold = false;
};

struct AppContext
{
    explicit AppContext(sf::RenderWindow* window);

    sf::RenderWindow* window;                      // not owned
    std::map<std::string, std::string> assetFiles; // each asset's file as read; outlives the fonts, which draw from it
    std::map<std::string, sf::Font> fonts;
    std::map<std::string, sf::Texture> textures;
    std::map<std::string, sf::SoundBuffer> soundBuffers;
    std::vector<int> highScores;
    BestResultsStore bestResults; // the file behind highScores
};

enum class ScreenRequest : int
{
    None = 0,
    OpenStartMenu = 1,
    OpenInfoMenu = 2,
    StartGame = 3,
};

// A screen never replaces itself: it returns a request and the application acts on it
// after ProcessEvent has returned. Draw changes no state of the screen's world.
class Screen
{
public:
    explicit Screen(AppContext* context);
    virtual ~Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    virtual ScreenRequest ProcessEvent(const sf::Event& event) = 0;
    virtual void Update(float seconds) = 0;
    virtual void Draw() = 0;

protected:
    // The pointer as it is now, in logical pixels, not where an event says it was.
    sf::Vector2f GetMousePosition() const;

    AppContext* m_context; // not owned
};

// Asset store
// Asset keys of the textures and sounds; the font keys are with the shared interface constants.
extern const std::string korvelKey;
extern const std::string partnerLogosKey;
extern const std::string playerTextureKey;
extern const std::string largeCloud1Key;
extern const std::string largeCloud2Key;
extern const std::string smallCloud1Key;
extern const std::string smallCloud2Key;
extern const std::string canKey;
extern const std::string cokeCanKey;
extern const std::string glassBottleKey;
extern const std::string plasticBottleKey;
extern const std::string hvezdniceKey;
extern const std::string lenKey;
extern const std::string sasankaKey;
extern const std::string vegetaceKey;
extern const std::string morfologieKey;
extern const std::string pickupSoundKey;
extern const std::string gameOverSoundKey;
[[noreturn]] void AbortOnMissingAsset(const std::filesystem::path& path);
void LoadAllAssets(AppContext& context, const std::filesystem::path& assetDirectory);

// The whole regular file at the path; empty when it cannot be read.
std::string ReadAssetFile(const std::filesystem::path& path);

// Loads straight into the asset's entry: copying a texture in would read it back from the
// graphics card and upload it again. SFML 2.5 opens files by narrow names, which on Windows
// cannot spell every folder (C:\Users\Jiří\…), so the file is read here into `file`, which
// must outlive the asset. A failed load ends the process.
template <typename Asset>
void LoadAsset(std::map<std::string, Asset>& assets, std::string key, std::filesystem::path path, std::string& file)
{
    Asset& asset = assets[key];
    file = ReadAssetFile(path);
    if (file.empty() || !asset.loadFromMemory(file.data(), file.size()))
        AbortOnMissingAsset(path);
    WriteLog("Asset loaded successfully: " + path.string());
    WriteLog("Asset inserted into map successfully: " + key);
}

class Application
{
public:
    explicit Application(sf::RenderWindow* window);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void ProcessEvent(const sf::Event& event);
    void Update(float seconds);
    void Draw();
    bool SaveBestResults(); // at exit; false when they could not be saved

    const Screen& GetScreen() const { return *m_screen; }

private:
    std::unique_ptr<Screen> CreateScreen(ScreenRequest request);

    AppContext m_context;
    std::unique_ptr<Screen> m_screen;
};
