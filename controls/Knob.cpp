#include "controls/Knob.h"

#include <cmath>

#include "gui/DrawContext.h"

namespace {

constexpr double kArc = 4.712389;          // 3 pi / 2: the knob's travel
constexpr double kMinimumAngle = 3.9269907;  // 5 pi / 4: the lower left end
constexpr double kQuarterTurn = 1.5707964;
constexpr double kHalfTurn = 3.1415927;
constexpr double kFullTurn = 6.2831855;
// Fractions of a turn counter-clockwise from 3 o'clock: the gap below the
// centre between the arc's two ends.
constexpr double kDeadZoneStart = 0.625;
constexpr double kDeadZoneMiddle = 0.75;
constexpr double kDeadZoneEnd = 0.875;
constexpr double kTurnsToTravel = 1.3333334;
// Far beyond any screen, and inside a 32-bit integer.
constexpr double kPixelLimit = 1.0e6;

// Truncated toward zero; a value the host made not-a-number or huge gives a
// point on the screen's scale rather than an undefined conversion.
int32_t toPixel(double x) {
    if (std::isnan(x)) return 0;
    if (x < -kPixelLimit) return static_cast<int32_t>(-kPixelLimit);
    if (x > kPixelLimit) return static_cast<int32_t>(kPixelLimit);
    return static_cast<int32_t>(x);
}

}  // namespace

Knob::Knob(const Rect& knobSize, ControlListener* knobListener, int32_t knobTag, Bitmap* backgroundPicture,
           Bitmap* handle, Point offset)
    : Control(knobSize, knobListener, knobTag),
      background(backgroundPicture),
      handleBitmap(handle),
      backgroundOffset(offset) {
    if (handleBitmap) inset = handleBitmap->getWidth() / 2;
}

double Knob::radius() const { return (size.width() - 2.0 * inset) / 2.0; }

void Knob::valueToPoint(Point& point) const {
    const double r = radius();
    const double range = static_cast<double>(maximum) - minimum;
    const double angle = kArc / range * (static_cast<double>(value) - minimum) + kMinimumAngle;
    point.h = toPixel(r + r * std::sin(angle)) + inset;
    point.v = toPixel(r - r * std::cos(angle)) + inset;
}

float Knob::valueFromPoint(Point where) const {
    const double r = radius();
    const double dx = (where.h - inset) - r;
    const double dy = r - (where.v - inset);  // y grows upward here
    double a = 0.0;
    if (std::fabs(dy) >= 1e-12 || std::fabs(dx) >= 1e-12) a = -std::atan(dx / dy);
    a += kQuarterTurn;
    if (dy < 0.0) a += kHalfTurn;
    a /= kFullTurn;

    if (a > kDeadZoneStart && a < kDeadZoneEnd) return a < kDeadZoneMiddle ? minimum : maximum;
    a = (a >= kDeadZoneEnd ? a - kDeadZoneEnd : a + (1.0 - kDeadZoneEnd)) * kTurnsToTravel;
    const double range = static_cast<double>(maximum) - minimum;
    float result = static_cast<float>(minimum + (range - a * range));
    if (result > maximum) result = maximum;
    if (result < minimum) result = minimum;
    return result;
}

void Knob::draw(DrawContext& context) {
    if (background) background->draw(context, size, backgroundOffset);
    if (handleBitmap) {
        Point p;
        valueToPoint(p);
        p.h += size.left - inset;
        p.v += size.top - inset;
        const Rect where(p.h, p.v, p.h + handleBitmap->getWidth(), p.v + handleBitmap->getHeight());
        handleBitmap->drawTransparent(context, where, Point(0, 0));
    }
    drawnValue = value;
}

void Knob::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse) return;
    if (resetOnAltClick(context)) return;
    // valueToPoint's point is the handle's centre, which sits inset pixels
    // inside its corner: the pointer is compared with it directly.
    do {
        value = valueFromPoint(Point(where.h - size.left, where.v - size.top));
    } while (followPointer(context, where) != 0);
}
