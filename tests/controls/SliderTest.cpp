#include <gtest/gtest.h>

#include <vector>

#include "ControlTestSupport.h"
#include "ExtraPictures.h"
#include "ModifierDrag.h"
#include "TextLook.h"
#include "controls/DisplayStyle.h"
#include "controls/HorizontalSlider.h"
#include "controls/VerticalSlider.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// A vertical fader at (10, 5), 20 x 70, its 10 x 6 handle travelling from
// y = 5 to y = 69 (64 pixels), value 0 at the bottom.
const Rect kFaderBox(10, 5, 30, 75);
constexpr int32_t kFaderMin = 5;
constexpr int32_t kFaderMax = 69;
constexpr float kFaderRange = 64.0f;
// A horizontal slider at (10, 50), 100 x 10, its handle travelling from
// x = 10 to x = 100 (90 pixels), value 0 at the left.
const Rect kSlideBox(10, 50, 110, 60);
constexpr int32_t kSlideMin = 10;
constexpr int32_t kSlideMax = 100;

class SliderPictures {
public:
    SliderPictures() : handle(new Bitmap(kSliderHandlePicture)), back(new Bitmap(kSliderBackPicture)) {}
    ~SliderPictures() {
        handle->forget();
        back->forget();
    }
    SliderPictures(const SliderPictures&) = delete;
    SliderPictures& operator=(const SliderPictures&) = delete;

    Bitmap* handle;
    Bitmap* back;
};

VerticalSlider* makeFader(const SliderPictures& pictures, ControlListener* listener,
                          int32_t style = OriginBottom) {
    return new VerticalSlider(kFaderBox, listener, 9, kFaderMin, kFaderMax, pictures.handle, pictures.back,
                              Point(0, 0), style);
}

HorizontalSlider* makeSlide(const SliderPictures& pictures, ControlListener* listener, int32_t style = OriginLeft) {
    return new HorizontalSlider(kSlideBox, listener, 8, kSlideMin, kSlideMax, pictures.handle, pictures.back,
                                Point(0, 0), style);
}

// The fader's rows that show the handle's colour, in window coordinates.
std::vector<int> handleRows(const MemorySurface& surface, int column) {
    std::vector<int> rows;
    for (int y = 0; y < surface.height(); ++y) {
        if (surface.pixel(column, y) == kSliderHandleColour) rows.push_back(y);
    }
    return rows;
}

std::vector<int> rowsFrom(int first, int last) {
    std::vector<int> rows;
    for (int y = first; y <= last; ++y) rows.push_back(y);
    return rows;
}

// Record types that only change the state of a context, not its pixels.
bool isStateRecord(DWORD type) {
    switch (type) {
        case EMR_HEADER:
        case EMR_EOF:
        case EMR_SETBKMODE:
        case EMR_SETBKCOLOR:
        case EMR_SETTEXTCOLOR:
        case EMR_SELECTOBJECT:
        case EMR_CREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_DELETEOBJECT:
            return true;
        default:
            return false;
    }
}

int CALLBACK collectDrawing(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    if (!isStateRecord(record->iType)) reinterpret_cast<std::vector<DWORD>*>(data)->push_back(record->iType);
    return 1;
}

// The drawing records of an enhanced metafile: everything but state changes.
std::vector<DWORD> drawingRecords(HENHMETAFILE metafile) {
    std::vector<DWORD> records;
    EnumEnhMetaFile(nullptr, metafile, collectDrawing, &records, nullptr);
    return records;
}

class SliderGesture : public testing::Test {
protected:
    RecordingListener listener;
    SliderPictures pictures;
    EditorWindow window;
};

}  // namespace

TEST(Slider, TheHandleLiesOverTheBackgroundWhereTheValuePutsIt) {
    SliderPictures pictures;
    VerticalSlider* fader = makeFader(pictures, nullptr);
    const int column = kFaderBox.left + 4;
    for (const auto& [value, top] : std::vector<std::pair<float, int>>{{0.0f, 69}, {1.0f, 5}, {0.5f, 37}}) {
        fader->setValue(value);
        MemorySurface surface(120, 80, RGB(90, 90, 90));
        drawInto(surface, *fader);
        EXPECT_EQ(handleRows(surface, column), rowsFrom(top, top + 5)) << value;
        EXPECT_EQ(fader->getHandlePos(), top);
        EXPECT_EQ(surface.pixel(kFaderBox.left, top), sliderBackColour(0, top - kFaderBox.top))
            << "the key-coloured corner shows the background";
        EXPECT_EQ(surface.pixel(25, 40), sliderBackColour(15, 35));
        EXPECT_EQ(surface.pixel(kFaderBox.right, 40), RGB(90, 90, 90)) << "nothing outside the control";
    }
    fader->setTransparentHandle(false);
    fader->setValue(0.0f);
    MemorySurface surface(120, 80, RGB(90, 90, 90));
    drawInto(surface, *fader);
    EXPECT_EQ(surface.pixel(kFaderBox.left, 69), RGB(255, 255, 255)) << "drawn plainly, the corner is white";
    delete fader;
}

TEST(Slider, AValuePastTheFarEndCutsTheHandleShortAtTheEndOfItsTravel) {
    SliderPictures pictures;
    VerticalSlider* fader = makeFader(pictures, nullptr);
    fader->setValue(-0.05f);
    MemorySurface surface(120, 80, RGB(90, 90, 90));
    drawInto(surface, *fader);
    EXPECT_EQ(handleRows(surface, kFaderBox.left + 4), rowsFrom(72, 74));
    fader->setValue(1.5f);
    MemorySurface beyondTop(120, 80, RGB(90, 90, 90));
    drawInto(beyondTop, *fader);
    EXPECT_EQ(handleRows(beyondTop, kFaderBox.left + 4), rowsFrom(5, 10)) << "the leading edge stops at the top";
    delete fader;
}

TEST(Slider, HandleOffsetMovesTheHandleInsideTheControl) {
    SliderPictures pictures;
    HorizontalSlider* slide = makeSlide(pictures, nullptr);
    slide->setHandleOffset(Point(0, 3));
    slide->setValue(0.5f);
    MemorySurface surface(120, 80, RGB(90, 90, 90));
    drawInto(surface, *slide);
    EXPECT_EQ(slide->getHandlePos(), kSlideBox.left + 45);
    EXPECT_EQ(surface.pixel(kSlideBox.left + 47, kSlideBox.top + 4), kSliderHandleColour);
    EXPECT_EQ(surface.pixel(kSlideBox.left + 47, kSlideBox.top + 1), sliderBackColour(47, 1));
    delete slide;
}

TEST(Slider, EachDrawReachesTheWindowAsOneBlockCopy) {
    SliderPictures pictures;
    VerticalSlider* fader = makeFader(pictures, nullptr);
    HorizontalSlider* slide = makeSlide(pictures, nullptr);
    for (Control* slider : {static_cast<Control*>(fader), static_cast<Control*>(slide)}) {
        HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        {
            DrawContext context(nullptr, recorder, nullptr);
            slider->draw(context);
        }
        HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
        EXPECT_EQ(drawingRecords(metafile), (std::vector<DWORD>{EMR_BITBLT}));
        DeleteEnhMetaFile(metafile);
    }
    delete fader;
    delete slide;
}

TEST(Slider, DrawingLeavesNoGdiObjectsBehind) {
    if (gdiObjectCount() < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    SliderPictures pictures;
    VerticalSlider* fader = makeFader(pictures, nullptr);
    MemorySurface surface(120, 80, RGB(90, 90, 90));
    drawInto(surface, *fader);  // builds the handle's transparency mask, kept with the picture
    const int before = gdiObjectCount();
    for (int i = 0; i < 20; ++i) {
        fader->setValue(static_cast<float>(i) / 20.0f);
        drawInto(surface, *fader);
    }
    EXPECT_EQ(gdiObjectCount(), before);
    delete fader;
}

TEST(Slider, BeforeItsFirstDrawTheHandleIsWhereThatDrawWillPutIt) {
    SliderPictures pictures;
    for (int32_t style : {int32_t{OriginLeft}, int32_t{OriginRight}, int32_t{OriginTop}, int32_t{OriginBottom}}) {
        for (bool vertical : {true, false}) {
            Slider* slider = vertical ? static_cast<Slider*>(makeFader(pictures, nullptr, style))
                                      : static_cast<Slider*>(makeSlide(pictures, nullptr, style));
            const int32_t before = slider->getHandlePos();
            MemorySurface surface(120, 80, RGB(90, 90, 90));
            drawInto(surface, *slider);
            EXPECT_EQ(slider->getHandlePos(), before) << style << (vertical ? " vertical" : " horizontal");
            delete slider;
        }
    }
}

TEST_F(SliderGesture, APressBesideTheHandleNeitherMovesItNorTellsAnyone) {
    auto* fader = window.add(makeFader(pictures, &listener));
    window.paint();
    // Beside, above and right next to the handle; each press is dragged.
    for (POINT press : {POINT{25, 72}, POINT{15, 40}, POINT{15, 67}}) {
        Gesture()
            .moveTo(window.window(), press.x, press.y)
            .press()
            .moveTo(window.window(), press.x, press.y - 20)
            .release()
            .perform();
    }
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(fader->getValue(), 0.0f);
    EXPECT_EQ(fader->getHandlePos(), kFaderMax);
}

TEST_F(SliderGesture, AGrabbedHandleKeepsTheGrabPointUnderThePointer) {
    auto* fader = window.add(makeFader(pictures, &listener));
    window.paint();
    Gesture()
        .moveTo(window.window(), 15, 71)
        .press()
        .moveTo(window.window(), 15, 51)
        .moveTo(window.window(), 15, 31)
        .release()
        .perform();
    ASSERT_EQ(listener.values.size(), 2u) << "no jump at the press";
    EXPECT_FLOAT_EQ(listener.values[0], 1.0f - 44.0f / kFaderRange);
    EXPECT_FLOAT_EQ(listener.values[1], 1.0f - 24.0f / kFaderRange);
    EXPECT_EQ(fader->getHandlePos(), 31 - 2);
    EXPECT_EQ(window.pixel(15, 31), kSliderHandleColour);
}

TEST_F(SliderGesture, ShiftMovesOneTenthAsFastAndEveryPressOfShiftReanchorsWithoutAJump) {
    auto* fader = window.add(makeFader(pictures, &listener));
    window.paint();
    ModifierDrag(*fader, Point(15, 71))
        .moveTo(15, 61)
        .keyDown(VK_SHIFT)
        .moveTo(15, 21)
        .keyUp(VK_SHIFT)
        .keyDown(VK_SHIFT)
        .moveTo(15, 61)
        .keyUp(VK_SHIFT)
        .perform();
    const float beforeShift = 1.0f - 54.0f / kFaderRange;
    const float fine = beforeShift + (40.0f / kFaderRange) / 10.0f;
    const float afterShift = 1.0f - 14.0f / kFaderRange;
    const float fineAgain = afterShift - (40.0f / kFaderRange) / 10.0f;
    ASSERT_EQ(listener.values.size(), 5u);
    EXPECT_FLOAT_EQ(listener.values[0], beforeShift);
    EXPECT_FLOAT_EQ(listener.values[1], fine) << "40 pixels up move the value by 4 pixels' worth";
    EXPECT_FLOAT_EQ(listener.values[2], afterShift) << "without shift the value follows the pointer again";
    EXPECT_FLOAT_EQ(listener.values[3], fineAgain) << "shift pressed again re-anchored where the value was";
    EXPECT_FLOAT_EQ(listener.values[4], beforeShift);
}

TEST_F(SliderGesture, APressWithShiftHeldStartsInFineMode) {
    auto* slide = window.add(makeSlide(pictures, &listener));
    slide->setValue(0.5f);
    window.paint();
    ModifierDrag(*slide, Point(57, 53)).holdingAtPress(VK_SHIFT).moveTo(77, 53).perform();
    ASSERT_EQ(listener.values.size(), 1u) << "no jump at the press";
    EXPECT_FLOAT_EQ(listener.values[0], 0.5f + (20.0f / 90.0f) / 10.0f);
}

TEST_F(SliderGesture, ADragEndsWhenAnyButtonOrKeyButShiftJoinsTheLeftButton) {
    auto* slide = window.add(makeSlide(pictures, &listener));
    window.paint();
    Gesture()
        .moveTo(window.window(), 12, 53)
        .press()
        .moveTo(window.window(), 30, 53)
        .keyDown(VK_CONTROL)
        .moveTo(window.window(), 80, 53)
        .release()
        .keyUp(VK_CONTROL)
        .perform();
    EXPECT_EQ(listener.values, (std::vector<float>{18.0f / 90.0f}));
    EXPECT_FLOAT_EQ(slide->getValue(), 18.0f / 90.0f);
}

TEST_F(SliderGesture, AltClickRestoresTheDefault) {
    auto* fader = window.add(makeFader(pictures, &listener));
    fader->setDefaultValue(0.25f);
    window.paint();
    Gesture()
        .moveTo(window.window(), 15, 71)
        .keyDown(VK_MENU)
        .press()
        .release()
        .keyUp(VK_MENU)
        .perform();
    EXPECT_EQ(listener.values, (std::vector<float>{0.25f}));
}

TEST_F(SliderGesture, AHorizontalSliderPressedBeforeItsFirstDrawIsGrabbedAtItsStartingPlace) {
    auto* slide = window.add(makeSlide(pictures, &listener));
    ValidateRect(window.window(), nullptr);
    ASSERT_TRUE(window.frame->isFirstDrawPending());
    Gesture()
        .moveTo(window.window(), 12, 53)
        .press()
        .moveTo(window.window(), 57, 53)
        .release()
        .perform();
    ASSERT_TRUE(window.frame->isFirstDrawPending()) << "no paint came in between";
    // Never drawn, so the value at the press is told too.
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 45.0f / 90.0f}));
    EXPECT_EQ(slide->getValue(), 0.5f);
}
