#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "TestPictures.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"

namespace {

using Log = std::vector<std::string>;

// Fills exactly its rectangle, right and bottom edges excluded.
class FillingView : public RecordingView {
public:
    FillingView(const Rect& r, Color fill, Log& log) : RecordingView(r, "filler", log), colour(fill) {}
    void draw(DrawContext& context) override {
        RecordingView::draw(context);
        context.setFillColor(colour);
        context.fillRect(Rect(size.left - 1, size.top - 1, size.right, size.bottom));
    }

private:
    Color colour;
};

SIZE windowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

COLORREF windowPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void paintNow(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

bool classExists() {
    WNDCLASSA info{};
    return GetClassInfoA(GetModuleHandleA(nullptr), Frame::getClassName(), &info) != 0;
}

class FrameWindow : public testing::Test {
protected:
    void SetUp() override { host = createHostWindow(testTopWindow(), 10, 10, 220, 120); }
    void TearDown() override {
        DestroyWindow(host);
        pumpMessages();
        EXPECT_EQ(Frame::getClassUseCount(), 0);
    }

    HWND host = nullptr;
    Log log;
};

}  // namespace

TEST_F(FrameWindow, TwoFramesRegisterTheClassOnceAndTheSecondToGoUnregistersIt) {
    auto* first = new Frame(Rect(0, 0, 50, 50), host, nullptr);
    char expectedName[20];
    std::snprintf(expectedName, sizeof expectedName, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
    EXPECT_STREQ(Frame::getClassName(), expectedName);
    EXPECT_EQ(Frame::getClassUseCount(), 1);
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), expectedName, &info));
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(info.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));

    auto* second = new Frame(Rect(0, 0, 50, 50), host, nullptr);
    EXPECT_EQ(Frame::getClassUseCount(), 2);
    char name[32] = "";
    GetClassNameA(second->getWindow(), name, sizeof name);
    EXPECT_STREQ(name, expectedName);
    delete first;
    EXPECT_EQ(Frame::getClassUseCount(), 1);
    EXPECT_TRUE(classExists());
    delete second;
    EXPECT_FALSE(classExists());
}

TEST_F(FrameWindow, TheClassStaysWhileAnyFrameLivesEvenOneWhoseWindowIsGone) {
    HWND ownHost = createHostWindow(host, 0, 0, 100, 100);
    auto* first = new Frame(Rect(0, 0, 50, 50), ownHost, nullptr);
    DestroyWindow(ownHost);
    auto* second = new Frame(Rect(0, 0, 50, 50), host, nullptr);
    delete second;
    EXPECT_EQ(Frame::getClassUseCount(), 1);
    EXPECT_TRUE(classExists());
    delete first;
    EXPECT_FALSE(classExists());
}

TEST_F(FrameWindow, TheChildWindowFillsTheEditorRectangleInsideTheHostWindow) {
    Frame frame(Rect(0, 0, 200, 100), host, nullptr);
    HWND child = frame.getWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), host);
    EXPECT_EQ(frame.getParentWindow(), host);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    POINT origin{0, 0};
    MapWindowPoints(child, host, &origin, 1);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    char title[16] = "";
    GetWindowTextA(child, title, sizeof title);
    EXPECT_STREQ(title, "Window");
}

TEST_F(FrameWindow, IdleDrawsNothingBeforeTheFirstPaint) {
    Frame frame(Rect(0, 0, 200, 100), host, nullptr);
    frame.addView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    frame.idle();
    EXPECT_TRUE(log.empty());
    UpdateWindow(frame.getWindow());
    EXPECT_EQ(log, (Log{"view:draw"}));
    frame.idle();
    EXPECT_EQ(log, (Log{"view:draw", "view:update"}));
}

TEST_F(FrameWindow, PaintingDrawsTheBackgroundAndEveryViewIntoTheWindow) {
    Frame frame(Rect(0, 0, 200, 100), host, nullptr);
    auto* strip = new Bitmap(kStripPicture);
    frame.setBackground(strip);
    strip->forget();
    frame.addView(new FillingView(Rect(50, 10, 70, 30), kRedColor, log));
    paintNow(frame.getWindow());
    EXPECT_EQ(log, (Log{"filler:draw"}));
    EXPECT_EQ(windowPixel(frame.getWindow(), 3, 5), RGB(48, 40, 100));
    EXPECT_EQ(windowPixel(frame.getWindow(), 15, 31), RGB(240, 248, 100));
    EXPECT_EQ(windowPixel(frame.getWindow(), 50, 10), rgb(kRedColor));
    EXPECT_EQ(windowPixel(frame.getWindow(), 69, 29), rgb(kRedColor));
    EXPECT_NE(windowPixel(frame.getWindow(), 70, 30), rgb(kRedColor));
}

TEST_F(FrameWindow, DrawViewDrawsTheOneViewOrTheWholeEditor) {
    Frame frame(Rect(0, 0, 200, 100), host, nullptr);
    auto* one = new RecordingView(Rect(0, 0, 10, 10), "one", log);
    frame.addView(one);
    frame.addView(new FillingView(Rect(20, 20, 40, 40), kGreenColor, log));
    one->redraw();
    EXPECT_EQ(log, (Log{"one:draw"}));
    RecordingView stranger(Rect(0, 0, 5, 5), "stranger", log);
    frame.drawView(&stranger);
    EXPECT_EQ(log, (Log{"one:draw", "one:draw", "filler:draw"}));
    EXPECT_EQ(windowPixel(frame.getWindow(), 30, 30), rgb(kGreenColor));
}

TEST_F(FrameWindow, ClicksArriveThroughTheWindowWithPositionsTakenUnsigned) {
    Frame frame(Rect(0, 0, 200, 100), host, nullptr);
    auto* everywhere = new RecordingView(Rect(0, 0, 70000, 70000), "view", log);
    frame.addView(everywhere);
    UpdateWindow(frame.getWindow());
    log.clear();
    PostMessageA(frame.getWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(65535, 40000));
    pumpMessages();
    EXPECT_EQ(everywhere->lastClick.h, 65535);
    EXPECT_EQ(everywhere->lastClick.v, 40000);
    SendMessageA(frame.getWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(everywhere->lastClick.h, 5);
    EXPECT_EQ(everywhere->lastClick.v, 6);
    SendMessageA(frame.getWindow(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(7, 8));
    SendMessageA(frame.getWindow(), WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
    SendMessageA(frame.getWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 8));
    EXPECT_EQ(log, (Log{"view:click", "view:click"}));
}

TEST_F(FrameWindow, TheDestroyMessageClosesTheFrame) {
    HWND ownHost = createHostWindow(host, 0, 0, 200, 100);
    Frame frame(Rect(0, 0, 200, 100), ownHost, nullptr);
    frame.addView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    UpdateWindow(frame.getWindow());
    ASSERT_EQ(log, (Log{"view:draw"}));
    DestroyWindow(ownHost);
    EXPECT_FALSE(frame.isWindowOpen());
    EXPECT_EQ(frame.getParentWindow(), nullptr);
    EXPECT_EQ(frame.getWindow(), nullptr);
    DrawContext context(&frame, nullptr, nullptr);
    frame.update(context);
    frame.idle();
    int32_t x = 0;
    int32_t y = 0;
    Rect rect;
    EXPECT_FALSE(frame.getPosition(x, y));
    EXPECT_FALSE(frame.getSize(rect));
    EXPECT_FALSE(frame.setSize(300, 300));
    EXPECT_EQ(log, (Log{"view:draw"}));
    EXPECT_EQ(Frame::getClassUseCount(), 1);
}

TEST_F(FrameWindow, AFrameWhoseWindowFailedStillGivesBackItsUseOfTheClass) {
    {
        Frame frame(Rect(0, 0, 200, 100), reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4321)), nullptr);
        EXPECT_EQ(frame.getWindow(), nullptr);
        EXPECT_EQ(Frame::getClassUseCount(), 1);
    }
    EXPECT_EQ(Frame::getClassUseCount(), 0);
    EXPECT_FALSE(classExists());
}

TEST_F(FrameWindow, SetSizeResizesTheChainUpToAMuchLargerWindow) {
    // Each window of the chain gets the new editor size plus its own margin
    // over the window it holds; the top-level window, far larger, is left alone.
    HWND outer = createHostWindow(testTopWindow(), 300, 300, 214, 114);
    HWND inner = createHostWindow(outer, 0, 0, 204, 104);
    const SIZE top = windowSize(testTopWindow());
    Frame frame(Rect(0, 0, 200, 100), inner, nullptr);
    EXPECT_FALSE(frame.setSize(200, 100));
    EXPECT_TRUE(frame.setSize(180, 150));
    EXPECT_EQ(frame.size.width(), 180);
    EXPECT_EQ(frame.size.height(), 150);
    EXPECT_EQ(windowSize(frame.getWindow()).cx, 180);
    EXPECT_EQ(windowSize(frame.getWindow()).cy, 150);
    EXPECT_EQ(windowSize(inner).cx, 184);
    EXPECT_EQ(windowSize(inner).cy, 154);
    EXPECT_EQ(windowSize(outer).cx, 190);
    EXPECT_EQ(windowSize(outer).cy, 160);
    EXPECT_EQ(windowSize(testTopWindow()).cx, top.cx);
    EXPECT_EQ(windowSize(testTopWindow()).cy, top.cy);
    DestroyWindow(outer);
}

TEST_F(FrameWindow, SetSizeStopsOneWindowAboveWhereTheBorderReachesTheDialogFrameLimit) {
    const int limit = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    HWND outer = createHostWindow(host, 0, 0, 200 + limit + 5, 100 + limit + 5);
    HWND inner = createHostWindow(outer, 0, 0, 200 + limit, 100 + 2);
    Frame frame(Rect(0, 0, 200, 100), inner, nullptr);
    EXPECT_TRUE(frame.setSize(150, 90));
    EXPECT_EQ(windowSize(frame.getWindow()).cx, 150);
    EXPECT_EQ(windowSize(inner).cx, 150 + limit);
    EXPECT_EQ(windowSize(inner).cy, 90 + 2);
    EXPECT_EQ(windowSize(outer).cx, 200 + limit + 5);
    DestroyWindow(outer);
}

TEST_F(FrameWindow, PositionAndSizeDescribeTheHostsWindowChain) {
    HWND wrapper = createHostWindow(host, 30, 20, 180, 90);
    HWND editorHost = createHostWindow(wrapper, 7, 9, 150, 70);
    Frame frame(Rect(0, 0, 120, 60), editorHost, nullptr);
    int32_t x = -1;
    int32_t y = -1;
    ASSERT_TRUE(frame.getPosition(x, y));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 20);
    Rect rect;
    ASSERT_TRUE(frame.getSize(rect));
    EXPECT_EQ(rect.left, 37);
    EXPECT_EQ(rect.top, 29);
    EXPECT_EQ(rect.width(), 150);
    EXPECT_EQ(rect.height(), 70);
    DestroyWindow(wrapper);
}
