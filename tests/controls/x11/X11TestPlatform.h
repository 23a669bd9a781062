// The control tests' platform on X11: surfaces are pixmaps on a connection
// of the test's own, read back with XGetImage; keys are key symbols.
#pragma once

#include <cstdint>
#include <vector>

#include "RecordingView.h"
#include "gui/Geometry.h"
#include "gui/SystemTypes.h"

using TestKey = unsigned long;  // a key symbol
extern const TestKey kAltKeyCode;
extern const TestKey kShiftKeyCode;
extern const TestKey kControlKeyCode;

// The layout of a Win32 COLORREF: red in the lowest byte.
inline constexpr uint32_t colourRef(int red, int green, int blue) {
    return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16;
}

// The pixel at (x, y) of a window or pixmap, as colourRef gives it.
uint32_t pixelOfDrawable(unsigned long drawable, int x, int y);
// A window as a number, to be asked about after it may be gone.
uintptr_t windowId(SystemWindow window);
bool windowExists(uintptr_t window);
void waitTicks(uint32_t milliseconds);

// A pixmap filled with one colour.
class MemorySurface {
public:
    MemorySurface(int width, int height, uint32_t fill);
    ~MemorySurface();
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    SystemContext dc() const { return surface; }
    uint32_t pixel(int x, int y) const;
    int width() const { return w; }
    int height() const { return h; }
    // Points whose colour differs from the fill.
    std::vector<Point> inked() const;
    // The smallest rectangle holding every inked pixel, right and bottom inclusive.
    Rect inkBounds() const;
    bool samePixels(const MemorySurface& other) const;

private:
    std::vector<uint32_t> allPixels() const;

    int w;
    int h;
    uint32_t fillColour;
    SystemContext surface;
};
