#pragma once

#include "platform.h"

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
extern const std::string soundOnKey;  // the speaker shown while the sound is on
extern const std::string soundOffKey; // the crossed-out speaker shown while the sound is off
extern const std::string pauseKey;    // the game's pause control
extern const std::string resumeKey;   // the same control while the game is paused
extern const std::string pickupSoundKey;
extern const std::string gameOverSoundKey;

// A font with the file it draws from: SFML reads a font's bytes for as long as the font lives, so
// they are kept here, in a base that is made before the font and goes after it. A texture or a
// sound decodes its file once and keeps nothing of it.
struct FontFile
{
    std::string bytes;
};

class FontAsset final : private FontFile, public sf::Font
{
public:
    FontAsset() = default;
    FontAsset(const FontAsset&) = delete; // a copy's glyphs would still come from this one's bytes
    FontAsset& operator=(const FontAsset&) = delete;

    bool LoadFromBytes(std::string file); // false for a file that is no font
};

// Every asset by its key.
struct AssetMaps
{
    std::map<std::string, FontAsset>& fonts;
    std::map<std::string, sf::Texture>& textures;
    std::map<std::string, sf::SoundBuffer>& soundBuffers;
};

// Loads every asset, or shows the player an error box and ends the process.
void LoadAllAssets(const AssetMaps& assets, const std::filesystem::path& assetDirectory);

// The error box's text for a missing or damaged file: what the player can do depends on how the copy came.
std::string MissingFilesMessage(platform::CopyKind copy);
} // namespace kvelmora
