#pragma once

#include "log.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <filesystem>
#include <map>
#include <string>

namespace kvelmora
{
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
extern const std::string soundOffKey; // the crossed-out speaker shown while the sound is off
extern const std::string pickupSoundKey;
extern const std::string gameOverSoundKey;

// Every asset by its key. A font draws from its file's bytes for as long as it lives, so `files`
// keeps each asset's bytes and must outlive the fonts.
struct AssetMaps
{
    std::map<std::string, std::string>& files;
    std::map<std::string, sf::Font>& fonts;
    std::map<std::string, sf::Texture>& textures;
    std::map<std::string, sf::SoundBuffer>& soundBuffers;
};

[[noreturn]] void AbortOnMissingAsset(const std::filesystem::path& path);
void LoadAllAssets(const AssetMaps& assets, const std::filesystem::path& assetDirectory);

// The whole regular file at the path; empty when it cannot be read.
std::string ReadAssetFile(const std::filesystem::path& path);

// Loads straight into the asset's entry: copying a texture in would read it back from the
// graphics card and upload it again. SFML 2.5 opens files by narrow names, which on Windows
// cannot spell every folder (C:\Users\Jiří\…), so the file is read here into `file`, which
// must outlive the asset. A failed load ends the process.
template <typename Asset>
void LoadAsset(std::map<std::string, Asset>& assets, const std::string& key, const std::filesystem::path& path,
               std::string& file)
{
    Asset& asset = assets[key];
    file = ReadAssetFile(path);
    if (file.empty() || !asset.loadFromMemory(file.data(), file.size()))
        AbortOnMissingAsset(path);
    WriteLog("Asset loaded successfully: " + path.string());
    WriteLog("Asset inserted into map successfully: " + key);
}
} // namespace kvelmora
