#pragma once

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sf
{
class RenderWindow;
}

// Log file and asset directory
std::filesystem::path GetAssetDirectory(); // "assets" beside the executable
void WriteLog(const std::string& text);
void ResetLog();

// The process-wide random generator: every draw is an integer from 0 to randomMax.
constexpr int randomMax = 32767;
void SeedRandom(unsigned int seed);
int DrawRandom();
float DrawFraction(); // a draw divided by randomMax: 0 to 1, both ends possible

// Best results: exactly bestResultCount entries, best first.
constexpr std::size_t bestResultCount = 5;
std::vector<int> ParseBestResults(std::istream& input);
std::vector<int> ReadBestResults(const std::filesystem::path& path);
bool WriteBestResults(const std::filesystem::path& path, const std::vector<int>& scores);

struct AppContext
{
    explicit AppContext(sf::RenderWindow* window);

    sf::RenderWindow* window; // not owned
    std::map<std::string, sf::Font> fonts;
    std::map<std::string, sf::Texture> textures;
    std::map<std::string, sf::SoundBuffer> soundBuffers;
    std::vector<int> highScores;
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
    // The pointer as it is now, relative to the window, not where an event says it was.
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

// Loads straight into the asset's entry: copying a texture in would read it back from the
// graphics card and upload it again. A failed load ends the process.
template <typename Asset>
void LoadAsset(std::map<std::string, Asset>& assets, std::string key, std::filesystem::path path)
{
    Asset& asset = assets[key];
    if (!asset.loadFromFile(path.string()))
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

    const Screen& GetScreen() const { return *m_screen; }

private:
    std::unique_ptr<Screen> CreateScreen(ScreenRequest request);

    AppContext m_context;
    std::unique_ptr<Screen> m_screen;
};
