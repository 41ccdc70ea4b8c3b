// The shipped fonts draw every character players see; loading all the assets is the fixture itself.
#include "constants.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <set>
#include <string>

namespace kvelmora
{

namespace
{
constexpr unsigned int glyphSize = 20;         // pixels; any size that draws every glyph apart
constexpr char32_t missingGlyphProbe = 0x4E00; // a CJK ideograph that neither font holds

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
    const sf::Image atlas = font.getTexture(glyphSize).copyToImage();
    const sf::Vector2u firstCorner(unsigned(a.textureRect.left), unsigned(a.textureRect.top));
    const sf::Vector2u secondCorner(unsigned(b.textureRect.left), unsigned(b.textureRect.top));
    for (unsigned int y = 0; y < unsigned(a.textureRect.height); ++y)
    {
        for (unsigned int x = 0; x < unsigned(a.textureRect.width); ++x)
        {
            const sf::Color inFirst = atlas.getPixel(firstCorner.x + x, firstCorner.y + y);
            const sf::Color inSecond = atlas.getPixel(secondCorner.x + x, secondCorner.y + y);
            if (inFirst != inSecond)
                return false;
        }
    }
    return true;
}
} // namespace

TEST(Assets, BothFontsHoldAGlyphForEveryCharacterPlayersSee)
{
    TestContext test;
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
} // namespace kvelmora
