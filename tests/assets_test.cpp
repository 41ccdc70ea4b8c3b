// The shipped assets match what the code assumes of their formats, sizes, trimming, glyphs and loudness.
#include "constants.h"

#include <gtest/gtest.h>

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <fstream>
#include <set>

namespace
{
const std::string kDir = std::string(KVELMORA_SOURCE_DIR) + "/assets/";
const std::string kFiles[] = {"fonts/texgyreadventor-regular.otf",
                              "fonts/texgyreadventor-bold.otf",
                              "sounds/pickup.wav",
                              "sounds/game_over.wav",
                              "textures/Flowers/hvezdnice_larger.png",
                              "textures/Flowers/len_larger.png",
                              "textures/Flowers/sasanka_larger.png",
                              "textures/Garbage/can_small_thinnest.v2.png",
                              "textures/Garbage/coke_can_small_thinnest.v2.png",
                              "textures/Garbage/glass_bottle_small_thinnest.v2.png",
                              "textures/Garbage/plastic_bottle_small_thinnest.v2.png",
                              "textures/vegetace_20.jpg",
                              "textures/morfologie_2_20.jpg",
                              "textures/Player/player_spritesheet_74.png",
                              "textures/Clouds/256x256/Cloud_1.png",
                              "textures/Clouds/256x256/Cloud_2.png",
                              "textures/Clouds/128x128/Cloud_1.png",
                              "textures/Clouds/128x128/Cloud_2.png",
                              "textures/Logos/korvel_50.png",
                              "textures/Logos/logos_combined_60.png"};

bool hasInk(const sf::Image& img, int x, int y)
{ // in row y, or in column x when y is negative
    for (unsigned i = 0; i < (y < 0 ? img.getSize().y : img.getSize().x); ++i)
        if ((y < 0 ? img.getPixel(unsigned(x), i) : img.getPixel(i, unsigned(y))).a > 0)
            return true;
    return false;
}

// FreeType gives the .notdef glyph for a missing character, so "present" means "drawn unlike U+4E00".
bool sameGlyph(const sf::Font& font, char32_t a, char32_t b)
{
    const sf::Glyph g = font.getGlyph(a, 20, false), h = font.getGlyph(b, 20, false);
    const sf::IntRect r = g.textureRect, q = h.textureRect;
    if (g.advance != h.advance || g.bounds != h.bounds || r.width != q.width || r.height != q.height)
        return false;
    const sf::Image atlas = font.getTexture(20).copyToImage();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            if (atlas.getPixel(r.left + x, r.top + y) != atlas.getPixel(q.left + x, q.top + y))
                return false;
    return true;
}
} // namespace

TEST(Assets, AllTwentyFilesDecodeAndImagesHaveTheShapesTheCodeReliesOn)
{
    for (const std::string& rel : kFiles)
    {
        const auto is = [&rel](const char* part) {
            return rel.find(part) != std::string::npos;
        };
        const auto load = [&rel](auto&& asset) {
            return asset.loadFromFile(kDir + rel);
        };
        sf::Image img;
        EXPECT_TRUE(is(".otf") ? load(sf::Font()) : is(".wav") ? load(sf::SoundBuffer()) : load(img)) << rel;
        const sf::Vector2u s = img.getSize();
        EXPECT_TRUE(!(is("Flowers/") || is("Garbage/")) || (hasInk(img, 0, 0) && hasInk(img, 0, int(s.y) - 1) &&
                                                            hasInk(img, 0, -1) && hasInk(img, int(s.x) - 1, -1)))
            << rel << ": blank edge in the hit box";
        EXPECT_TRUE(!is("Clouds/") || s == (is("256x256") ? sf::Vector2u(256, 256) : sf::Vector2u(128, 128))) << rel;
        EXPECT_TRUE(!is("player") || (s.x % 5 == 0 && s.y == 3 * 74)) << s.x << "x" << s.y << " is no 5x3 sheet";
        std::string head(3, '\0');
        std::ifstream(kDir + rel, std::ios::binary).read(&head[0], 3);
        EXPECT_TRUE(!is(".jpg") || (head == "\xFF\xD8\xFF" && s.x <= 330 && s.y <= 400)) << rel << ": no small JPEG";
    }
}

TEST(Assets, SoundsAre44kHzClipsOfTheRightLengthThatNeverClip)
{
    for (auto [rel, seconds] : {std::pair{"sounds/pickup.wav", 0.15}, std::pair{"sounds/game_over.wav", 1.0}})
    {
        sf::SoundBuffer sound;
        ASSERT_TRUE(sound.loadFromFile(kDir + rel) && sound.getSampleCount() > 0) << rel;
        EXPECT_EQ(sound.getSampleRate(), 44100u) << rel;
        EXPECT_NEAR(sound.getDuration().asSeconds(), seconds, 0.15) << rel;
        const auto [low, high] = std::minmax_element(sound.getSamples(), sound.getSamples() + sound.getSampleCount());
        EXPECT_TRUE(std::max(-*low, +*high) > 3000 && *low >= -29204 && *high <= 29204)
            << rel << " peaks above -1 dBFS or is nearly silent: " << *low << " to " << *high;
    }
}

TEST(Assets, BothFontsHoldAGlyphForEveryCharacterPlayersSee)
{
    std::wstring shown = L"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ„“–\u00A00123456789" + windowTitle + menuTitle;
    shown += infoButtonText + playButtonText + gameInstructions + gameOverCaption + bestResultsHeading + gameOverHint;
    for (const auto& group : {infoTopics, infoPages})
        for (const auto& text : group)
            shown += text;
    for (const std::string rel : {"fonts/texgyreadventor-regular.otf", "fonts/texgyreadventor-bold.otf"})
    {
        sf::Font font;
        ASSERT_TRUE(font.loadFromFile(kDir + rel)) << rel;
        ASSERT_TRUE(!sameGlyph(font, U'A', 0x4E00) && sameGlyph(font, 0x4E01, 0x4E00)) << "blind comparison";
        for (wchar_t c : std::set<wchar_t>(shown.begin(), shown.end()))
            EXPECT_TRUE(c == L'\n' || !sameGlyph(font, c, 0x4E00)) << rel << " lacks U+" << std::hex << unsigned(c);
    }
}
