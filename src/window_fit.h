#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

namespace kvelmora
{

// The game draws a picture of a fixed size in its own, logical pixels; a window of any size shows it
// scaled, its shape kept. These rules need no window, so they are checked directly.

constexpr unsigned int logicalWidth = 1366; // pixels of the picture the game draws
constexpr unsigned int logicalHeight = 768;

// The game's own pixels: screens lay out, move and hit-test in these whatever the window's size,
// and the frame loop shows them scaled to the window.
sf::Vector2f GetLogicalSize();
sf::View GetLogicalView(); // the whole logical picture, unscrolled

// How far a title bar and borders reach beyond a window's drawing area, in desktop pixels.
struct FrameExtents
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a new window may go: the desktop's usable area (without panels or taskbars) and the frame the
// system will put around the window.
struct WindowRoom
{
    sf::IntRect usableArea;
    FrameExtents frame;
};

struct WindowPlacement
{
    sf::Vector2u size;     // the drawing area
    sf::Vector2i position; // the frame's top-left corner on the desktop
};

// The logical size when the window and its frame fit; otherwise the largest size of the same shape
// that does. Either way centred, frame included, in the usable area.
WindowPlacement FitWindow(const WindowRoom& room);

// The part of a window that shows the picture: as large as fits, its shape kept, centred; the rest
// stays in the clearing colour.
sf::IntRect GetPictureArea(sf::Vector2u windowSize);

// The picture area as a view's viewport, in fractions of the window.
sf::FloatRect GetPictureViewport(sf::Vector2u windowSize);

// A window pixel in logical coordinates; pixels on the bars fall outside the picture.
sf::Vector2f ToLogical(sf::Vector2i pixel, sf::Vector2u windowSize);
} // namespace kvelmora
