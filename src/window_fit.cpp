#include "window_fit.h"

#include <algorithm>
#include <cstdint>

namespace kvelmora
{

namespace
{
// a × b / c, rounded to the nearest whole number, without overflow for any window size.
unsigned int ScaleRounded(unsigned int a, unsigned int b, unsigned int c)
{
    const std::uint64_t product = static_cast<std::uint64_t>(a) * b;
    return static_cast<unsigned int>((2 * product + c) / (2 * static_cast<std::uint64_t>(c)));
}

// A side that comes within a pixel of the room takes all of it: no bar one pixel wide.
unsigned int FillWithin(unsigned int side, unsigned int room)
{
    return side + 1 >= room ? room : side;
}

// The largest size of the picture's shape within `room`.
sf::Vector2u FitShape(sf::Vector2u room)
{
    const bool widthLimited =
        static_cast<std::uint64_t>(room.x) * logicalHeight <= static_cast<std::uint64_t>(room.y) * logicalWidth;
    if (widthLimited)
        return {room.x, FillWithin(ScaleRounded(room.x, logicalHeight, logicalWidth), room.y)};
    return {FillWithin(ScaleRounded(room.y, logicalWidth, logicalHeight), room.x), room.y};
}

// A minimised window may report no size at all; the picture then still gets one pixel.
sf::Vector2u NonEmpty(sf::Vector2u size)
{
    return {std::max(1u, size.x), std::max(1u, size.y)};
}
} // namespace

WindowPlacement FitWindow(const WindowRoom& room)
{
    const FrameExtents& frame = room.frame;
    const sf::Vector2i frameSize(frame.left + frame.right, frame.top + frame.bottom);
    // A window never shrinks below one pixel, however small the desktop claims to be.
    const sf::Vector2u available(static_cast<unsigned int>(std::max(1, room.usableArea.width - frameSize.x)),
                                 static_cast<unsigned int>(std::max(1, room.usableArea.height - frameSize.y)));
    const bool fits = available.x >= logicalWidth && available.y >= logicalHeight;
    const sf::Vector2u size = fits ? sf::Vector2u(logicalWidth, logicalHeight) : FitShape(available);
    const sf::Vector2i outer = sf::Vector2i(size) + frameSize;
    return {size,
            {room.usableArea.left + (room.usableArea.width - outer.x) / 2,
             room.usableArea.top + (room.usableArea.height - outer.y) / 2}};
}

sf::IntRect GetPictureArea(sf::Vector2u windowSize)
{
    const sf::Vector2i size(FitShape(NonEmpty(windowSize)));
    const sf::Vector2i window(NonEmpty(windowSize));
    return {(window.x - size.x) / 2, (window.y - size.y) / 2, size.x, size.y};
}

sf::FloatRect GetPictureViewport(sf::Vector2u windowSize)
{
    const sf::FloatRect area(GetPictureArea(windowSize));
    const sf::Vector2f window(NonEmpty(windowSize));
    return {area.left / window.x, area.top / window.y, area.width / window.x, area.height / window.y};
}

sf::Vector2f ToLogical(sf::Vector2i pixel, sf::Vector2u windowSize)
{
    // Plain arithmetic rather than an inverted view matrix: at the logical size a pixel maps to
    // exactly itself, so hit tests keep their edges.
    const sf::IntRect area = GetPictureArea(windowSize);
    return {static_cast<float>(pixel.x - area.left) * static_cast<float>(logicalWidth) / static_cast<float>(area.width),
            static_cast<float>(pixel.y - area.top) * static_cast<float>(logicalHeight) /
                static_cast<float>(area.height)};
}
sf::Vector2f GetLogicalSize()
{
    return {static_cast<float>(logicalWidth), static_cast<float>(logicalHeight)};
}

sf::View GetLogicalView()
{
    return sf::View(sf::FloatRect({0.f, 0.f}, GetLogicalSize()));
}
} // namespace kvelmora
