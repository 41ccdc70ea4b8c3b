// Checks the shipped asset files against what the game code assumes about them:
// that they load, their pixel sizes, trimming (collisions use whole sprite
// rectangles), the glyph coverage needed for Czech text, and clean sounds.
#include <gtest/gtest.h>

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kAssets = std::string(KVELMORA_SOURCE_DIR) + "/assets/";

const std::vector<std::string> kTextures = {
    "textures/Logos/korvel_50.png",
    "textures/Logos/logos_combined_60.png",
    "textures/Player/player_spritesheet_74.png",
    "textures/Clouds/256x256/Cloud_1.png",
    "textures/Clouds/256x256/Cloud_2.png",
    "textures/Clouds/128x128/Cloud_1.png",
    "textures/Clouds/128x128/Cloud_2.png",
    "textures/Garbage/can_small_thinnest.v2.png",
    "textures/Garbage/coke_can_small_thinnest.v2.png",
    "textures/Garbage/glass_bottle_small_thinnest.v2.png",
    "textures/Garbage/plastic_bottle_small_thinnest.v2.png",
    "textures/Flowers/hvezdnice_larger.png",
    "textures/Flowers/len_larger.png",
    "textures/Flowers/sasanka_larger.png",
    "textures/vegetace_20.jpg",
    "textures/morfologie_2_20.jpg",
};
const std::vector<std::string> kFlowers = {
    "textures/Flowers/hvezdnice_larger.png",
    "textures/Flowers/len_larger.png",
    "textures/Flowers/sasanka_larger.png",
};
const std::vector<std::string> kGarbage = {
    "textures/Garbage/can_small_thinnest.v2.png",
    "textures/Garbage/coke_can_small_thinnest.v2.png",
    "textures/Garbage/glass_bottle_small_thinnest.v2.png",
    "textures/Garbage/plastic_bottle_small_thinnest.v2.png",
};
const std::vector<std::string> kFonts = {
    "fonts/texgyreadventor-regular.otf",
    "fonts/texgyreadventor-bold.otf",
};

sf::Image loadImage(const std::string& rel) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(kAssets + rel)) << rel;
    return image;
}

bool rowHasInk(const sf::Image& img, unsigned y, unsigned x0, unsigned x1) {
    for (unsigned x = x0; x < x1; ++x)
        if (img.getPixel(x, y).a > 0) return true;
    return false;
}

bool columnHasInk(const sf::Image& img, unsigned x, unsigned y0, unsigned y1) {
    for (unsigned y = y0; y < y1; ++y)
        if (img.getPixel(x, y).a > 0) return true;
    return false;
}

// A sprite is tight when every border line holds at least one visible pixel.
::testing::AssertionResult isTightlyTrimmed(const sf::Image& img) {
    const sf::Vector2u s = img.getSize();
    if (s.x == 0 || s.y == 0) return ::testing::AssertionFailure() << "empty image";
    if (!rowHasInk(img, 0, 0, s.x)) return ::testing::AssertionFailure() << "blank top row";
    if (!rowHasInk(img, s.y - 1, 0, s.x)) return ::testing::AssertionFailure() << "blank bottom row";
    if (!columnHasInk(img, 0, 0, s.y)) return ::testing::AssertionFailure() << "blank left column";
    if (!columnHasInk(img, s.x - 1, 0, s.y)) return ::testing::AssertionFailure() << "blank right column";
    return ::testing::AssertionSuccess();
}

std::vector<unsigned char> readBytes(const std::string& path, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(count, 0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// FreeType hands back the font's .notdef glyph for a codepoint the font lacks,
// so "present" means "differs from what a surely missing codepoint gives".
bool sameGlyph(const sf::Font& font, const sf::Glyph& a, const sf::Glyph& b, unsigned size) {
    if (a.advance != b.advance || a.bounds != b.bounds) return false;
    if (a.textureRect.width != b.textureRect.width || a.textureRect.height != b.textureRect.height)
        return false;
    const sf::Image atlas = font.getTexture(size).copyToImage();
    for (int y = 0; y < a.textureRect.height; ++y)
        for (int x = 0; x < a.textureRect.width; ++x)
            if (atlas.getPixel(static_cast<unsigned>(a.textureRect.left + x),
                               static_cast<unsigned>(a.textureRect.top + y)) !=
                atlas.getPixel(static_cast<unsigned>(b.textureRect.left + x),
                               static_cast<unsigned>(b.textureRect.top + y)))
                return false;
    return true;
}

}  // namespace

TEST(Assets, EveryTextureFontAndSoundLoadsThroughSfml) {
    for (const auto& rel : kTextures) {
        sf::Texture texture;
        EXPECT_TRUE(texture.loadFromFile(kAssets + rel)) << rel;
        EXPECT_GT(texture.getSize().x, 0u) << rel;
    }
    for (const auto& rel : kFonts) {
        sf::Font font;
        EXPECT_TRUE(font.loadFromFile(kAssets + rel)) << rel;
    }
    for (const auto& rel : {"sounds/pickup.wav", "sounds/game_over.wav"}) {
        sf::SoundBuffer buffer;
        EXPECT_TRUE(buffer.loadFromFile(kAssets + rel)) << rel;
        EXPECT_GT(buffer.getSampleCount(), 0u) << rel;
    }
}

TEST(Assets, PlayerSheetSplitsIntoFiveByThreeFramesWithFeetOnTheBottomEdge) {
    const sf::Image sheet = loadImage("textures/Player/player_spritesheet_74.png");
    const sf::Vector2u s = sheet.getSize();
    ASSERT_EQ(s.x % 5, 0u) << "width " << s.x;
    ASSERT_EQ(s.y % 3, 0u) << "height " << s.y;
    const unsigned fw = s.x / 5, fh = s.y / 3;
    EXPECT_EQ(fh, 74u);
    EXPECT_LT(fw, fh) << "a runner frame should be narrower than it is tall";

    // The game draws every frame with its bottom edge on the ground line, so the
    // run frames must touch the bottom; the jump and hit poses live in column 0.
    for (unsigned col = 0; col < 5; ++col)
        EXPECT_TRUE(rowHasInk(sheet, fh - 1, col * fw, (col + 1) * fw)) << "run frame " << col;
    for (unsigned row = 1; row < 3; ++row) {
        bool any = false;
        for (unsigned y = row * fh; y < (row + 1) * fh && !any; ++y)
            any = rowHasInk(sheet, y, 0, fw);
        EXPECT_TRUE(any) << "row " << row << " column 0 is empty";
    }

    // A looping run cycle needs five distinct poses.
    for (unsigned a = 0; a < 5; ++a)
        for (unsigned b = a + 1; b < 5; ++b) {
            bool differs = false;
            for (unsigned y = 0; y < fh && !differs; ++y)
                for (unsigned x = 0; x < fw && !differs; ++x)
                    differs = sheet.getPixel(a * fw + x, y) != sheet.getPixel(b * fw + x, y);
            EXPECT_TRUE(differs) << "run frames " << a << " and " << b << " are identical";
        }
}

TEST(Assets, CloudsAndEmblemsHaveTheSizesTheLayoutUses) {
    for (const auto& rel : {"textures/Clouds/256x256/Cloud_1.png", "textures/Clouds/256x256/Cloud_2.png"})
        EXPECT_EQ(loadImage(rel).getSize(), sf::Vector2u(256, 256)) << rel;
    for (const auto& rel : {"textures/Clouds/128x128/Cloud_1.png", "textures/Clouds/128x128/Cloud_2.png"})
        EXPECT_EQ(loadImage(rel).getSize(), sf::Vector2u(128, 128)) << rel;
    EXPECT_EQ(loadImage("textures/Logos/korvel_50.png").getSize().y, 50u);
    const sf::Vector2u logos = loadImage("textures/Logos/logos_combined_60.png").getSize();
    EXPECT_EQ(logos.y, 60u);
    EXPECT_LE(logos.x, 1366u) << "the partner row must fit the window";
}

TEST(Assets, FlowersAndGarbageAreTightlyTrimmedAndSizedForTheMeadow) {
    std::vector<unsigned> flowerWidths;
    for (const auto& rel : kFlowers) {
        const sf::Image img = loadImage(rel);
        EXPECT_TRUE(isTightlyTrimmed(img)) << rel;
        EXPECT_GE(img.getSize().y, 30u) << rel;
        EXPECT_LE(img.getSize().y, 100u) << rel;
        flowerWidths.push_back(img.getSize().x);
    }
    std::sort(flowerWidths.begin(), flowerWidths.end());
    EXPECT_EQ(std::adjacent_find(flowerWidths.begin(), flowerWidths.end()), flowerWidths.end())
        << "two flowers share a width";

    for (const auto& rel : kGarbage) {
        const sf::Image img = loadImage(rel);
        EXPECT_TRUE(isTightlyTrimmed(img)) << rel;
        EXPECT_GE(img.getSize().x, 12u) << rel;
        EXPECT_LE(img.getSize().x, 28u) << rel;
        EXPECT_GE(img.getSize().y, 30u) << rel;
        EXPECT_LE(img.getSize().y, 50u) << rel;
    }
}

TEST(Assets, InfoPicturesAreRealJpegsThatFitBesideThePageText) {
    for (const auto& rel : {"textures/vegetace_20.jpg", "textures/morfologie_2_20.jpg"}) {
        const std::vector<unsigned char> head = readBytes(kAssets + rel, 3);
        ASSERT_EQ(head.size(), 3u) << rel;
        EXPECT_EQ(head[0], 0xFF) << rel;
        EXPECT_EQ(head[1], 0xD8) << rel;
        EXPECT_EQ(head[2], 0xFF) << rel;
        const sf::Vector2u s = loadImage(rel).getSize();
        EXPECT_LE(s.x, 330u) << rel;
        EXPECT_LE(s.y, 400u) << rel;
        EXPECT_GE(s.x, 200u) << rel;
        EXPECT_GE(s.y, 200u) << rel;
    }
}

TEST(Assets, SoundsAreShortCleanSixteenBitClips) {
    struct Expect {
        const char* rel;
        double minSeconds, maxSeconds;
    };
    for (const Expect& e : {Expect{"sounds/pickup.wav", 0.05, 0.3}, Expect{"sounds/game_over.wav", 0.8, 1.3}}) {
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(kAssets + e.rel)) << e.rel;
        EXPECT_EQ(buffer.getSampleRate(), 44100u) << e.rel;
        const double seconds = buffer.getDuration().asSeconds();
        EXPECT_GE(seconds, e.minSeconds) << e.rel;
        EXPECT_LT(seconds, e.maxSeconds) << e.rel;

        const sf::Int16* samples = buffer.getSamples();
        const std::size_t n = buffer.getSampleCount();
        ASSERT_GT(n, 16u) << e.rel;
        int peak = 0;
        for (std::size_t i = 0; i < n; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        // At most -1 dBFS: nothing reaches the rails, so nothing clipped.
        EXPECT_LE(peak, 29204) << e.rel;
        EXPECT_GT(peak, 3000) << e.rel << " is nearly silent";
        // Fades at both ends keep the clip from starting or stopping with a click.
        const unsigned channels = buffer.getChannelCount();
        for (unsigned c = 0; c < channels; ++c) {
            EXPECT_LT(std::abs(static_cast<int>(samples[c])), 300) << e.rel << " starts abruptly";
            EXPECT_LT(std::abs(static_cast<int>(samples[n - channels + c])), 300) << e.rel << " ends abruptly";
        }
    }
}

TEST(Assets, BothFontsCoverCzechLettersQuotesDashAndNoBreakSpace) {
    const std::u32string needed =
        U"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ\u201E\u201C\u2013\u00A0"
        U"AZaz09.,:!?";
    const unsigned size = 20;
    for (const auto& rel : kFonts) {
        sf::Font font;
        ASSERT_TRUE(font.loadFromFile(kAssets + rel)) << rel;
        // A CJK ideograph is surely absent from this Latin font: it yields the fallback glyph.
        const sf::Glyph missing = font.getGlyph(0x4E00, size, false);
        // The comparison must tell a real glyph from the fallback, or the loop below proves nothing.
        ASSERT_FALSE(sameGlyph(font, font.getGlyph(U'A', size, false), missing, size)) << rel;
        ASSERT_TRUE(sameGlyph(font, font.getGlyph(0x4E01, size, false), missing, size)) << rel;
        for (char32_t c : needed) {
            const sf::Glyph g = font.getGlyph(c, size, false);
            EXPECT_GT(g.advance, 0.f) << rel << " U+" << std::hex << static_cast<unsigned>(c);
            EXPECT_FALSE(sameGlyph(font, g, missing, size))
                << rel << " lacks U+" << std::hex << static_cast<unsigned>(c);
        }
    }
}
