// The control tests' gestures and editor window on X11: the XTest extension
// on a connection of the robot thread's own, a frame in a window of the
// test's connection, and the frame's events handled as an editor's idle does.
#include <X11/extensions/XTest.h>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "X11TestDisplay.h"
#include "gui/Bitmap.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/X11Surface.h"

namespace {

constexpr uint32_t kSettleMilliseconds = 60;  // as on Win32, so the idle counts compare

// The frame the gestures' event handling serves; cleared when it goes, also
// when it closes itself at the end of a drag.
Frame* handledFrame = nullptr;

class HandledFrame : public Frame {
public:
    HandledFrame(const Rect& editorSize, void* host, FrameOwner* frameOwner) : Frame(editorSize, host, frameOwner) {
        handledFrame = this;
    }
    ~HandledFrame() override {
        if (handledFrame == this) handledFrame = nullptr;
    }
};

Window testTopWindow() {
    static Window window = [] {
        Display* display = testDisplay();
        const Window created = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 900, 700, 0, 0,
                                                   BlackPixel(display, DefaultScreen(display)));
        XMapWindow(display, created);
        XSync(display, False);
        return created;
    }();
    return window;
}

void playStep(Display* robot, const Gesture::Step& step) {
    switch (step.kind) {
    case Gesture::Kind::Move: {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(robot, static_cast<Window>(step.window), DefaultRootWindow(robot), step.x,
                              step.y, &x, &y, &child);
        XTestFakeMotionEvent(robot, -1, x, y, CurrentTime);
        break;
    }
    case Gesture::Kind::Press:
    case Gesture::Kind::Release:
        XTestFakeButtonEvent(robot, Button1, step.kind == Gesture::Kind::Press, CurrentTime);
        break;
    case Gesture::Kind::KeyDown:
    case Gesture::Kind::KeyUp:
        XTestFakeKeyEvent(robot, XKeysymToKeycode(robot, step.key), step.kind == Gesture::Kind::KeyDown, CurrentTime);
        break;
    }
    XSync(robot, False);
}

}  // namespace

// The robot's connection counts its errors rather than ending the test: a
// step may name a window that a closing frame took away.
void Gesture::play() const {
    X11Connection* robot = X11Connection::open();
    if (!robot) return;
    waitTicks(kSettleMilliseconds);
    for (const Step& step : steps) {
        playStep(robot->display(), step);
        waitTicks(kSettleMilliseconds);
    }
    delete robot;
}

void handleTestEvents() {
    if (handledFrame) handledFrame->handleEvents();
    waitTicks(1);
}

EditorWindow::EditorWindow() {
    Display* display = testDisplay();
    const Window created = XCreateSimpleWindow(display, testTopWindow(), 10, 10, 120, 80, 0, 0,
                                               BlackPixel(display, DefaultScreen(display)));
    XMapWindow(display, created);
    XSync(display, False);
    host = created;
    frame = new HandledFrame(Rect(0, 0, 120, 80), reinterpret_cast<void*>(host), &owner);
    auto* background = new Bitmap(kEditorBackPicture);
    frame->setBackground(background);
    background->forget();
}

EditorWindow::~EditorWindow() {
    delete frame;
    XDestroyWindow(testDisplay(), static_cast<Window>(host));
    XSync(testDisplay(), False);
}

// An exposure, as the server sends one, handled as the editor's idle does.
void EditorWindow::paint() {
    XClearArea(testDisplay(), static_cast<Window>(windowId(frame->getWindow())), 0, 0, 0, 0, True);
    XSync(testDisplay(), False);
    for (int pass = 0; pass < 3; ++pass) {
        frame->waitForInput(20);
        frame->handleEvents();
    }
}

uint32_t EditorWindow::pixel(int x, int y) const { return pixelOfDrawable(windowId(frame->getWindow()), x, y); }
