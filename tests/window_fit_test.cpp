#include "window_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace kvelmora
{

TEST(WindowFit, AWindowThatFitsKeepsItsSizeAndOneThatDoesNotShrinksToTheLargestOfItsShape)
{
    const FrameExtents noFrame;
    const FrameExtents titledFrame{8, 31, 8, 8}; // borders and a title bar as a desktop draws them
    struct FitCase
    {
        sf::IntRect usableArea;
        FrameExtents frame;
        sf::Vector2u size;
        sf::Vector2i position;
    };
    const FitCase cases[] = {
        {{0, 0, 1366, 768}, noFrame, {1366, 768}, {0, 0}}, // a bare X server: exactly as ever
        {{0, 0, 1366, 768}, titledFrame, {1297, 729}, {26, 0}},
        {{0, 0, 1366, 728}, noFrame, {1295, 728}, {35, 0}}, // a taskbar below
        {{0, 0, 1280, 720}, titledFrame, {1211, 681}, {26, 0}},
        {{0, 0, 1024, 768}, noFrame, {1024, 576}, {0, 96}},
        {{0, 0, 1024, 768}, titledFrame, {1008, 567}, {0, 81}},
        {{0, 0, 1920, 1080}, titledFrame, {1366, 768}, {269, 136}},
        {{0, 28, 1366, 740}, titledFrame, {1247, 701}, {51, 28}}, // a panel above
    };
    for (const FitCase& fit : cases)
    {
        const WindowPlacement placement = FitWindow({fit.usableArea, fit.frame});
        const std::string name = std::to_string(fit.usableArea.width) + "x" + std::to_string(fit.usableArea.height) +
                                 (fit.frame.top > 0 ? " framed" : "");
        EXPECT_EQ(placement.size, fit.size) << name;
        EXPECT_EQ(placement.position, fit.position) << name;
    }
}

TEST(WindowFit, ThePictureFillsTheWindowAsFarAsItsShapeAllowsAndSitsInTheMiddle)
{
    EXPECT_EQ(GetPictureArea({1366, 768}), sf::IntRect(0, 0, 1366, 768));
    EXPECT_EQ(GetPictureArea({1024, 768}), sf::IntRect(0, 96, 1024, 576));  // bars above and below
    EXPECT_EQ(GetPictureArea({2048, 768}), sf::IntRect(341, 0, 1366, 768)); // bars beside
    // Screens of 16:9 are within a pixel of the shape: no bar one pixel wide.
    EXPECT_EQ(GetPictureArea({1920, 1080}), sf::IntRect(0, 0, 1920, 1080));
    EXPECT_EQ(GetPictureViewport({1024, 768}), sf::FloatRect(0.f, 0.125f, 1.f, 0.75f));
    EXPECT_EQ(GetPictureArea({0, 0}).width, 1) << "a minimised window";
}

TEST(WindowFit, WindowPixelsMapToLogicalPixelsAndExactlyToThemselvesAtTheLogicalSize)
{
    int moved = 0;
    for (int x = 0; x < static_cast<int>(logicalWidth); ++x)
        for (int y = 0; y < static_cast<int>(logicalHeight); ++y)
            moved += ToLogical({x, y}, {logicalWidth, logicalHeight}) != sf::Vector2f(sf::Vector2i(x, y));
    EXPECT_EQ(moved, 0);

    EXPECT_EQ(ToLogical({0, 96}, {1024, 768}), sf::Vector2f(0.f, 0.f));
    EXPECT_EQ(ToLogical({1024, 672}, {1024, 768}), sf::Vector2f(1366.f, 768.f));
    EXPECT_LT(ToLogical({512, 40}, {1024, 768}).y, 0.f) << "a bar lies outside the picture";
    EXPECT_NEAR(ToLogical({960, 540}, {1920, 1080}).x, 683.f, 0.01f);
}
} // namespace kvelmora
