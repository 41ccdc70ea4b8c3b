#include "assets.h"

#include "constants.h"
#include "file_locations.h"
#include "log.h"
#include "platform.h"

#include <array>
#include <cstdlib>
#include <istream>
#include <memory>
#include <sstream>
#include <utility>

namespace kvelmora
{
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
const std::string soundOnKey = "sound-on";
const std::string soundOffKey = "sound-off";
const std::string pauseKey = "pause";
const std::string resumeKey = "resume";
const std::string pickupSoundKey = "pickup";
const std::string gameOverSoundKey = "game-over";

namespace
{
const std::string errorCaption = "Chyba";
const std::string missingFiles = "Aplikace nenalezla všechny soubory. ";

struct AssetEntry
{
    const std::string& key;
    const char* file;
};

const std::array<AssetEntry, 2> fontTable = {{
    {regularFontKey, "texgyreadventor-regular.otf"},
    {boldFontKey, "texgyreadventor-bold.otf"},
}};

const std::array<AssetEntry, 20> textureTable = {{
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
    {soundOnKey, "Icons/sound_on.png"},
    {soundOffKey, "Icons/sound_off.png"},
    {pauseKey, "Icons/pause.png"},
    {resumeKey, "Icons/resume.png"},
}};

const std::array<AssetEntry, 2> soundTable = {{
    {pickupSoundKey, "pickup.wav"},
    {gameOverSoundKey, "game_over.wav"},
}};

[[noreturn]] void AbortOnMissingAsset(const std::filesystem::path& path)
{
    WriteLog("Failed loading asset" + path.string());
    platform::ShowErrorBox(errorCaption, MissingFilesMessage(GetFileLocations().copy));
    WriteLog("Exiting");
    std::exit(EXIT_FAILURE);
}

// The whole regular file at the path; empty when it cannot be read.
std::string ReadAssetFile(const std::filesystem::path& path)
{
    const std::unique_ptr<std::istream> input = platform::OpenRegularFile(path);
    if (!input)
        return {};
    std::ostringstream content;
    content << input->rdbuf();
    return content.str();
}

bool Decode(FontAsset& font, std::string file)
{
    return font.LoadFromBytes(std::move(file));
}

// Textures and sounds copy what they need out of the file.
template <typename Asset>
bool Decode(Asset& asset, const std::string& file)
{
    return asset.loadFromMemory(file.data(), file.size());
}

// Loads straight into the asset's entry: copying a texture in would read it back from the
// graphics card and upload it again. SFML 2.5 opens files by narrow names, which on Windows
// cannot spell every folder (C:\Users\Jiří\…), so the file is read here. A failed load ends the process.
template <typename Asset>
void LoadAsset(std::map<std::string, Asset>& assets, const std::string& key, const std::filesystem::path& path)
{
    std::string file = ReadAssetFile(path);
    if (file.empty() || !Decode(assets[key], std::move(file)))
        AbortOnMissingAsset(path);
    WriteLog("Asset loaded successfully: " + path.string());
    WriteLog("Asset inserted into map successfully: " + key);
}

template <typename Asset, std::size_t Count>
void LoadGroup(std::map<std::string, Asset>& assets, const std::array<AssetEntry, Count>& table,
               const std::filesystem::path& directory)
{
    for (const AssetEntry& entry : table)
        LoadAsset(assets, entry.key, directory / entry.file);
}
} // namespace

bool FontAsset::LoadFromBytes(std::string file)
{
    bytes = std::move(file);
    return loadFromMemory(bytes.data(), bytes.size());
}

std::string MissingFilesMessage(platform::CopyKind copy)
{
    switch (copy)
    {
    case platform::CopyKind::Installed:
        return missingFiles + "Nainstalujte hru znova.";
    case platform::CopyKind::Unpacked:
        return missingFiles + "Rozbalte archiv znovu, nebo hru znovu nainstalujte.";
    case platform::CopyKind::Page:
        return missingFiles + "Načtěte stránku znovu.";
    }
    return missingFiles;
}

void LoadAllAssets(const AssetMaps& assets, const std::filesystem::path& assetDirectory)
{
    WriteLog("Begin loading assets.");
    LoadGroup(assets.fonts, fontTable, assetDirectory / "fonts");
    WriteLog("Fonts loaded.");

    WriteLog("Began loading textures.");
    LoadGroup(assets.textures, textureTable, assetDirectory / "textures");
    WriteLog("Textures loaded.");
    for (auto& [key, texture] : assets.textures)
        texture.setSmooth(true);
    WriteLog("Texture smoothness set.");

    WriteLog("Began loading sounds.");
    LoadGroup(assets.soundBuffers, soundTable, assetDirectory / "sounds");
    WriteLog("Sounds loaded.");
}
} // namespace kvelmora
