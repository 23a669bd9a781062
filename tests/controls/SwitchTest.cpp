#include <gtest/gtest.h>

#include <vector>

#include "ControlTestSupport.h"
#include "ExtraPictures.h"
#include "TextControlInput.h"
#include "TextLook.h"
#include "controls/HorizontalSwitch.h"
#include "controls/RockerSwitch.h"
#include "controls/VerticalSwitch.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// 30 x 30 switches at (10, 10); the rocker's halves meet at column 25.
const Rect kSwitchBox(10, 10, 40, 40);
constexpr int kMiddleColumn = 25;

// Owns the switch picture for one test.
class SwitchPicture {
public:
    SwitchPicture() : picture(new Bitmap(kSwitchPicture)) {}
    ~SwitchPicture() { picture->forget(); }
    SwitchPicture(const SwitchPicture&) = delete;
    SwitchPicture& operator=(const SwitchPicture&) = delete;
    Bitmap* get() const { return picture; }

private:
    Bitmap* picture;
};

// A press whose button is already up when the handler runs: the value comes
// from where alone, in one pass.
float pressAt(Control& control, Point where) {
    DrawContext context(nullptr, nullptr, nullptr);
    control.onMouseDown(context, where);
    return control.getValue();
}

// Which of the three frames the control shows.
int shownFrame(Control& control) {
    MemorySurface surface(50, 50, RGB(90, 90, 90));
    drawInto(surface, control);
    const COLORREF centre = surface.pixel(25, 25);
    for (int k = 0; k < 3; ++k) {
        if (centre == kSwitchColours[k]) return k;
    }
    return -1;
}

class SwitchGesture : public testing::Test {
protected:
    RecordingListener listener;
    SwitchPicture picture;
    EditorWindow window;
};

}  // namespace

TEST(MultiPositionSwitch, AVerticalSwitchCutsItsFrameIntoEqualZonesAndGivesABoundaryToTheLowerZone) {
    parkPointer();
    SwitchPicture picture;
    VerticalSwitch control(kSwitchBox, nullptr, 0, kSwitchFrameSize, 3, picture.get());
    const int top = kSwitchBox.top;
    for (int row : {0, 9, -4}) EXPECT_EQ(pressAt(control, Point(20, top + row)), 0.0f) << row;
    for (int row : {10, 19}) EXPECT_EQ(pressAt(control, Point(20, top + row)), 0.5f) << row;
    for (int row : {20, 29, 45}) EXPECT_EQ(pressAt(control, Point(20, top + row)), 1.0f) << row;
}

TEST(MultiPositionSwitch, AHorizontalSwitchCutsThePictureWidthAndGivesABoundaryToTheLeftZone) {
    parkPointer();
    SwitchPicture picture;
    HorizontalSwitch control(kSwitchBox, nullptr, 0, kSwitchFrameSize, 3, picture.get());
    const int left = kSwitchBox.left;
    for (int column : {0, 10, -3}) EXPECT_EQ(pressAt(control, Point(left + column, 20)), 0.0f) << column;
    for (int column : {11, 20}) EXPECT_EQ(pressAt(control, Point(left + column, 20)), 0.5f) << column;
    for (int column : {21, 30, 60}) EXPECT_EQ(pressAt(control, Point(left + column, 20)), 1.0f) << column;
}

TEST(MultiPositionSwitch, BothShowTheFrameBelowTheValueAndTheEndsOutsideTheRange) {
    SwitchPicture picture;
    VerticalSwitch vertical(kSwitchBox, nullptr, 0, kSwitchFrameSize, 3, picture.get());
    HorizontalSwitch horizontal(kSwitchBox, nullptr, 0, kSwitchFrameSize, 3, picture.get());
    const std::vector<std::pair<float, int>> framesOfValues{{-0.5f, 0}, {0.0f, 0}, {0.49f, 0}, {0.5f, 1},
                                                             {0.99f, 1}, {1.0f, 2}, {3.0f, 2}};
    for (Control* control : {static_cast<Control*>(&vertical), static_cast<Control*>(&horizontal)}) {
        for (const auto& [value, frame] : framesOfValues) {
            control->setValue(value);
            EXPECT_EQ(shownFrame(*control), frame) << value;
            EXPECT_EQ(control->getDrawnValue(), value);
        }
    }
}

TEST(MultiPositionSwitch, FewerThanTwoPositionsCountAsTwo) {
    parkPointer();
    SwitchPicture picture;
    VerticalSwitch vertical(kSwitchBox, nullptr, 0, kSwitchFrameSize, 1, picture.get());
    HorizontalSwitch horizontal(kSwitchBox, nullptr, 0, kSwitchFrameSize, 0, picture.get());
    EXPECT_EQ(vertical.getFrameCount(), 2);
    EXPECT_EQ(horizontal.getFrameCount(), 2);
    EXPECT_EQ(pressAt(vertical, Point(20, 12)), 0.0f);
    EXPECT_EQ(pressAt(horizontal, Point(38, 20)), 1.0f);
    vertical.setValue(0.7f);
    EXPECT_EQ(shownFrame(vertical), 0);
}

TEST_F(SwitchGesture, ADragAlongAVerticalSwitchFollowsThePointerEvenAboveIt) {
    auto* control = window.add(new VerticalSwitch(kSwitchBox, &listener, 2, kSwitchFrameSize, 3, picture.get()));
    window.paint();
    Gesture()
        .moveTo(window.window(), 20, 35)
        .press()
        .moveTo(window.window(), 20, 25)
        .moveTo(window.window(), 20, 4)
        .release()
        .perform();
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.5f, 0.0f}));
    EXPECT_EQ(control->getValue(), 0.0f);
    EXPECT_EQ(window.pixel(20, 20), kSwitchColours[0]);
}

TEST_F(SwitchGesture, AltClickReturnsEitherSwitchToItsDefaultOfZero) {
    auto* vertical = window.add(new VerticalSwitch(Rect(10, 10, 40, 40), &listener, 1, kSwitchFrameSize, 3,
                                                   picture.get()));
    auto* horizontal = window.add(new HorizontalSwitch(Rect(60, 10, 90, 40), &listener, 2, kSwitchFrameSize, 3,
                                                       picture.get()));
    vertical->setValue(1.0f);
    horizontal->setValue(0.5f);
    window.paint();
    EXPECT_EQ(vertical->getDefaultValue(), 0.0f);
    // The pointer goes first: under Wine a pointer move lets go of a held Alt.
    for (POINT press : {POINT{20, 35}, POINT{85, 20}}) {
        Gesture()
            .moveTo(window.window(), press.x, press.y)
            .keyDown(VK_MENU)
            .press()
            .release()
            .keyUp(VK_MENU)
            .perform();
    }
    EXPECT_EQ(vertical->getValue(), 0.0f);
    EXPECT_EQ(horizontal->getValue(), 0.0f);
    EXPECT_EQ(listener.tags, (std::vector<int32_t>{1, 2}));
}

TEST_F(SwitchGesture, ARockerPressedOnTheLeftReportsMinusOneThenZeroOnRelease) {
    auto* rocker = window.add(new RockerSwitch(kSwitchBox, &listener, 3, kSwitchFrameSize, picture.get(),
                                               Point(0, 0)));
    window.paint();
    Gesture().click(window.window(), 15, 20).perform();
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f}));
    listener.values.clear();
    Gesture().click(window.window(), kMiddleColumn, 20).perform();
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f})) << "the middle column is the left half's";
    listener.values.clear();
    Gesture().click(window.window(), kMiddleColumn + 1, 20).perform();
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(rocker->getValue(), 0.0f);
    EXPECT_EQ(window.pixel(20, 20), kSwitchColours[1]) << "the middle frame shows 0";
}

TEST_F(SwitchGesture, ARockerPressThatWandersOffBothHalvesReportsTheValueAtThePress) {
    auto* rocker = window.add(new RockerSwitch(kSwitchBox, &listener, 3, kSwitchFrameSize, picture.get(),
                                               Point(0, 0)));
    rocker->setValue(1.0f);
    window.paint();
    Gesture()
        .moveTo(window.window(), 15, 20)
        .press()
        .moveTo(window.window(), 15, 60)
        .release()
        .perform();
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 1.0f, 0.0f}));
}

TEST(RockerSwitch, APressAlreadyReleasedStillReportsItsHalfThenZero) {
    parkPointer();
    SwitchPicture picture;
    RecordingListener listener(false);
    RockerSwitch rocker(kSwitchBox, &listener, 0, kSwitchFrameSize, picture.get(), Point(0, 0));
    pressAt(rocker, Point(35, 20));
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    listener.values.clear();
    rocker.setValue(0.0f);
    pressAt(rocker, Point(35, 60));
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 0.0f})) << "outside: unchanged, told all the same";
}

TEST(RockerSwitch, ItShowsMinusOneZeroAndPlusOneFromItsOffsetDown) {
    SwitchPicture picture;
    RockerSwitch rocker(kSwitchBox, nullptr, 0, kSwitchFrameSize, picture.get(), Point(0, 0));
    for (const auto& [value, frame] : std::vector<std::pair<float, int>>{{-1.0f, 0}, {0.0f, 1}, {1.0f, 2}, {0.5f, 0}}) {
        rocker.setValue(value);
        EXPECT_EQ(shownFrame(rocker), frame) << value;
    }
    RockerSwitch shifted(kSwitchBox, nullptr, 0, kSwitchFrameSize, picture.get(), Point(0, kSwitchFrameSize));
    shifted.setValue(0.0f);
    EXPECT_EQ(shownFrame(shifted), 2);
}
