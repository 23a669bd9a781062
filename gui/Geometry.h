// Integer rectangles and points in the coordinates of the editor's child
// window: origin at its top-left corner, y growing downwards.
#pragma once

#include <cstdint>

struct Rect {
    constexpr Rect() = default;
    constexpr Rect(int32_t leftEdge, int32_t topEdge, int32_t rightEdge, int32_t bottomEdge)
        : left(leftEdge), top(topEdge), right(rightEdge), bottom(bottomEdge) {}

    // Never normalised: a rectangle with right < left has a negative width.
    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct Point {
    constexpr Point() = default;
    constexpr Point(int32_t horizontal, int32_t vertical) : h(horizontal), v(vertical) {}

    // All four edges count as inside: the mouse dispatch relies on a click on
    // the right or bottom edge hitting the view.
    constexpr bool isInside(const Rect& r) const {
        return r.left <= h && h <= r.right && r.top <= v && v <= r.bottom;
    }

    int32_t h = 0;
    int32_t v = 0;
};
