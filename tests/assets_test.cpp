// The shipped assets have what the code assumes of them: trimmed pictures, whole sprite-sheet
// frames and a glyph for every character that players see. Loading them all is the fixture itself.
#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <set>
#include <string>

namespace
{
constexpr unsigned int playerFrameColumns = 5; // run-cycle frames in a row of the sheet
constexpr unsigned int playerFrameRows = 3;    // run, air and hit
constexpr unsigned int glyphSize = 20;         // pixels; any size that draws every glyph apart
constexpr char32_t missingGlyphProbe = 0x4E00; // a CJK ideograph that neither font holds

bool RowHasInk(const sf::Image& image, unsigned int y)
{
    for (unsigned int x = 0; x < image.getSize().x; ++x)
    {
        if (image.getPixel(x, y).a > 0)
            return true;
    }
    return false;
}

bool ColumnHasInk(const sf::Image& image, unsigned int x)
{
    for (unsigned int y = 0; y < image.getSize().y; ++y)
    {
        if (image.getPixel(x, y).a > 0)
            return true;
    }
    return false;
}

bool SamePixels(const sf::Image& atlas, const sf::IntRect& first, const sf::IntRect& second)
{
    for (int y = 0; y < first.height; ++y)
    {
        for (int x = 0; x < first.width; ++x)
        {
            const sf::Color a = atlas.getPixel(unsigned(first.left + x), unsigned(first.top + y));
            const sf::Color b = atlas.getPixel(unsigned(second.left + x), unsigned(second.top + y));
            if (a != b)
                return false;
        }
    }
    return true;
}

// FreeType draws the .notdef glyph for a character the font lacks, so a glyph drawn exactly like
// that of a character no font here holds is a missing one.
bool SameGlyph(const sf::Font& font, char32_t first, char32_t second)
{
    const sf::Glyph a = font.getGlyph(first, glyphSize, false);
    const sf::Glyph b = font.getGlyph(second, glyphSize, false);
    if (a.advance != b.advance || a.bounds != b.bounds)
        return false;
    if (a.textureRect.width != b.textureRect.width || a.textureRect.height != b.textureRect.height)
        return false;
    return SamePixels(font.getTexture(glyphSize).copyToImage(), a.textureRect, b.textureRect);
}

class Assets : public ::testing::Test
{
protected:
    sf::Image Picture(const std::string& key) { return test.context.textures.at(key).copyToImage(); }

    TestContext test;
};
} // namespace

TEST_F(Assets, FlowersAndGarbageAreTrimmedSoTheirHitBoxesHoldInkAtEveryEdge)
{
    for (const std::string& key :
         {hvezdniceKey, lenKey, sasankaKey, canKey, cokeCanKey, glassBottleKey, plasticBottleKey})
    {
        const sf::Image picture = Picture(key);
        const sf::Vector2u size = picture.getSize();
        EXPECT_TRUE(RowHasInk(picture, 0)) << key << ": blank top row";
        EXPECT_TRUE(RowHasInk(picture, size.y - 1)) << key << ": blank bottom row";
        EXPECT_TRUE(ColumnHasInk(picture, 0)) << key << ": blank left column";
        EXPECT_TRUE(ColumnHasInk(picture, size.x - 1)) << key << ": blank right column";
    }
}

TEST_F(Assets, ThePlayerSheetSplitsIntoWholeFrames)
{
    const sf::Vector2u size = Picture(playerTextureKey).getSize();
    EXPECT_EQ(size.x % playerFrameColumns, 0u) << size.x;
    EXPECT_EQ(size.y % playerFrameRows, 0u) << size.y;
}

TEST_F(Assets, BothFontsHoldAGlyphForEveryCharacterPlayersSee)
{
    // Every Czech letter too, so a new text needs no new glyphs.
    const std::wstring shown = L"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ„“–0123456789" + AllPlayerTexts();
    std::set<wchar_t> characters(shown.begin(), shown.end());
    characters.erase(L'\n');
    for (const std::string& key : {regularFontKey, boldFontKey})
    {
        const sf::Font& font = test.context.fonts.at(key);
        ASSERT_FALSE(SameGlyph(font, U'A', missingGlyphProbe)) << "the comparison tells glyphs apart";
        ASSERT_TRUE(SameGlyph(font, missingGlyphProbe + 1, missingGlyphProbe)) << "the comparison finds a lack";
        for (const wchar_t c : characters)
            EXPECT_FALSE(SameGlyph(font, c, missingGlyphProbe)) << key << " lacks U+" << std::hex << unsigned(c);
    }
}
