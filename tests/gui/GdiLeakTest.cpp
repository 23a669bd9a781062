#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "TestPictures.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/OffscreenContext.h"

namespace {

// Uses every drawing service a control might, on every draw and update.
class BusyView : public View {
public:
    BusyView(const Rect& r, Bitmap* keyedPicture) : View(r), picture(keyedPicture) { picture->remember(); }
    ~BusyView() override { picture->forget(); }

    void draw(DrawContext& context) override {
        context.setFont(kFontSmall);
        context.setFont(kFontSymbol, 15);
        context.setFontColor(kYellowColor);
        context.setFillColor(kBlueColor);
        context.setFrameColor(kRedColor);
        context.setLineWidth(2);
        context.setLineStyle(kLineDotted);
        context.fillRect(size);
        context.drawRect(size);
        context.drawEllipse(size);
        context.fillPie(size, Point(size.right, size.top), Point(size.left, size.top));
        context.drawString("12.5 dB", size, 1, kAlignCenter);
        picture->drawTransparent(context, Rect(size.left, size.top, size.left + 5, size.top + 3), Point(0, 0));
        OffscreenContext composed(getParent(), size.width(), size.height(), kMagentaColor);
        picture->draw(composed, Rect(0, 0, 5, 3), Point(0, 0));
        composed.copyTo(context, size, Point(0, 0));
        OffscreenContext copy(context, picture);
        copy.copyTo(context, Rect(size.left, size.top, size.left + 5, size.top + 3), Point(0, 0));
    }
    void update(DrawContext& context) override { draw(context); }

private:
    Bitmap* picture;
};

}  // namespace

TEST(GdiObjectCount, SeesObjectsComeAndGo) {
    const int before = gdiObjectCount();
    ASSERT_GE(before, 0) << "no way to count GDI objects on this platform";
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(gdiObjectCount(), before + 1);
    DeleteObject(pen);
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(GdiObjectCount, StaysFlatOverHundredsOfPaintsClicksAndIdlePasses) {
    HWND host = createHostWindow(testTopWindow(), 10, 10, 220, 120);
    auto* keyed = new Bitmap(kKeyedPicture);
    auto* background = new Bitmap(kStripPicture);
    {
        Frame frame(Rect(0, 0, 200, 100), host, nullptr);
        frame.setBackground(background);
        frame.addView(new BusyView(Rect(20, 10, 80, 50), keyed));
        frame.addView(new BusyView(Rect(90, 10, 150, 50), keyed));
        InvalidateRect(frame.getWindow(), nullptr, FALSE);
        UpdateWindow(frame.getWindow());  // builds the picture's mask, which stays
        const int before = gdiObjectCount();
        ASSERT_GE(before, 0);
        for (int i = 0; i < 300; ++i) {
            InvalidateRect(frame.getWindow(), nullptr, FALSE);
            UpdateWindow(frame.getWindow());
            frame.idle();
            frame.drawView(nullptr);
            SendMessageA(frame.getWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
        }
        EXPECT_EQ(gdiObjectCount(), before);
    }
    keyed->forget();
    background->forget();
    DestroyWindow(host);
    pumpMessages();
}
