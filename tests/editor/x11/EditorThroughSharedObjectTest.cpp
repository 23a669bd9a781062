// The editor as a Linux host meets it: zavtolvek.so loaded with dlopen, its
// editor opened in an X11 window of the test's own connection, idled as a
// host idles it, and dragged with real pointer input (XTest) from a second
// thread while the idle call runs the knob's loop.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "BmpImage.h"
#include "host/VstInterface.h"

namespace {

constexpr int kPanelWidth = 413;
constexpr int kPanelHeight = 197;
constexpr int kKnobSide = 36;
constexpr int kMasterKnobX = 16;  // parameter 1, "MASTER"
constexpr int kMasterKnobY = 55;
constexpr int kTuneKnobX = 152;  // parameter 5, "TUNE" row 2
constexpr int kTuneKnobY = 94;

struct Call {
    int32_t opcode;
    int32_t index;
    float opt;
};

std::vector<Call> calls;
std::function<void()> onHostIdle;

intptr_t VSTCALLBACK hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    if (opcode == audioMasterVersion) return 2400;
    calls.push_back(Call{opcode, index, opt});
    if (opcode == audioMasterIdle && onHostIdle) onHostIdle();
    return 0;
}

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// A freshly started Xvfb now and then refuses a connection for a moment.
Display* connect() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
        pause(50);
    }
    return nullptr;
}

int openDescriptors() {
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder)) ++count;
        closedir(folder);
    }
    return count;
}

// A press at from, moves through the points, a release; on its own connection.
void dragOnScreen(std::vector<std::pair<int, int>> points) {
    Display* robot = connect();
    if (!robot) return;
    for (size_t i = 0; i < points.size(); ++i) {
        XTestFakeMotionEvent(robot, -1, points[i].first, points[i].second, CurrentTime);
        XSync(robot, False);
        pause(60);
        if (i == 0) XTestFakeButtonEvent(robot, Button1, True, CurrentTime);
        XSync(robot, False);
        pause(60);
    }
    XTestFakeButtonEvent(robot, Button1, False, CurrentTime);
    XSync(robot, False);
    pause(60);
    XCloseDisplay(robot);
}

class SharedObjectEditor : public testing::Test {
protected:
    void SetUp() override {
        library = dlopen(ZAV_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(library, "VSTPluginMain"));
        ASSERT_NE(entry, nullptr);
        effect = entry(hostCallback);
        ASSERT_NE(effect, nullptr);
        display = connect();
        ASSERT_NE(display, nullptr) << "no X display";
        previousHandler = XSetErrorHandler(countHostError);
        host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 500, 300, 0, 0,
                                   BlackPixel(display, DefaultScreen(display)));
        XMapWindow(display, host);
        XSync(display, False);
        calls.clear();
        onHostIdle = nullptr;
        hostErrors = 0;
    }
    void TearDown() override {
        onHostIdle = nullptr;
        if (effect) dispatch(effClose);
        if (display) {
            XDestroyWindow(display, host);
            XSetErrorHandler(previousHandler);
            XCloseDisplay(display);
        }
        if (library) dlclose(library);
    }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }
    bool open() { return dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host)) == 1; }
    void idle(int times = 1) {
        for (int i = 0; i < times; ++i) {
            dispatch(effEditIdle);
            pause(15);
        }
    }
    // The editor's child window, or 0.
    Window editorWindow() const {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(display, host, &root, &parent, &children, &count) && count > 0) found = children[0];
        if (children) XFree(children);
        return found;
    }
    // The panel as the screen shows it, rows from the top.
    std::vector<Rgb> panel() const {
        std::vector<Rgb> pixels;
        XSync(display, False);
        XImage* image = XGetImage(display, editorWindow(), 0, 0, kPanelWidth, kPanelHeight, AllPlanes, ZPixmap);
        if (!image) return pixels;
        for (int y = 0; y < kPanelHeight; ++y) {
            for (int x = 0; x < kPanelWidth; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                pixels.push_back(Rgb{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                                     static_cast<int>(p & 0xFF)});
            }
        }
        XDestroyImage(image);
        return pixels;
    }
    // Whether the knob at (x, y) shows the strip's frame for value.
    bool knobShows(const std::vector<Rgb>& shown, int x, int y, float value) const {
        BmpImage strip;
        if (!readBmp(resourcePath("knob.bmp"), strip) || shown.empty()) return false;
        const int frameTop = static_cast<int>(std::floor(value * 127.0f)) * kKnobSide;
        for (int dy = 0; dy < kKnobSide; ++dy) {
            for (int dx = 0; dx < kKnobSide; ++dx) {
                const Rgb a = shown[static_cast<size_t>((y + dy) * kPanelWidth + x + dx)];
                const Rgb b = strip.at(dx, frameTop + dy);
                if (a.red != b.red || a.green != b.green || a.blue != b.blue) return false;
            }
        }
        return true;
    }
    std::pair<int, int> onScreen(int x, int y) const {
        int rootX = 0;
        int rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display, editorWindow(), DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
        return {rootX, rootY};
    }
    // Drags the MASTER knob from its lower left over the top to its right
    // while this thread idles the editor, as a host's GUI loop would.
    void dragMasterKnob() {
        const int cx = kMasterKnobX + kKnobSide / 2;
        const int cy = kMasterKnobY + kKnobSide / 2;
        std::atomic<bool> done{false};
        std::thread robot([&] {
            dragOnScreen({onScreen(cx - 12, cy), onScreen(cx, cy - 12), onScreen(cx + 12, cy)});
            done = true;
        });
        while (!done) idle();
        robot.join();
        idle(3);
    }
    std::vector<Call> callsOf(int32_t opcode) const {
        std::vector<Call> found;
        for (const Call& call : calls) {
            if (call.opcode == opcode) found.push_back(call);
        }
        return found;
    }

    void* library = nullptr;
    AEffect* effect = nullptr;
    Display* display = nullptr;
    Window host = 0;
    XErrorHandler previousHandler = nullptr;
};

// Every automation of the gesture lies between one begin and one end edit of its parameter.
void expectBracketed(const std::vector<Call>& log, int32_t index) {
    std::vector<int32_t> opcodes;
    for (const Call& call : log) {
        if (call.opcode == audioMasterAutomate || call.opcode == audioMasterBeginEdit ||
            call.opcode == audioMasterEndEdit) {
            EXPECT_EQ(call.index, index);
            opcodes.push_back(call.opcode);
        }
    }
    ASSERT_GE(opcodes.size(), 3u);
    EXPECT_EQ(opcodes.front(), audioMasterBeginEdit);
    EXPECT_EQ(opcodes.back(), audioMasterEndEdit);
    for (size_t i = 1; i + 1 < opcodes.size(); ++i) EXPECT_EQ(opcodes[i], audioMasterAutomate) << i;
}

}  // namespace

TEST_F(SharedObjectEditor, OpensInTheHostWindowAndDrawsThePanel) {
    EXPECT_EQ(effect->flags & effFlagsHasEditor, effFlagsHasEditor);
    EditorRect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, kPanelWidth);
    EXPECT_EQ(rect->bottom - rect->top, kPanelHeight);
    ASSERT_TRUE(open());
    ASSERT_NE(editorWindow(), 0u);
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, kPanelWidth);
    idle(3);

    const std::vector<Rgb> shown = panel();
    BmpImage background;
    ASSERT_TRUE(readBmp(resourcePath("background.bmp"), background));
    ASSERT_EQ(shown.size(), static_cast<size_t>(kPanelWidth * kPanelHeight));
    for (const auto& [x, y] : {std::pair{2, 2}, {200, 20}, {410, 190}, {140, 60}}) {
        const Rgb a = shown[static_cast<size_t>(y * kPanelWidth + x)];
        const Rgb b = background.at(x, y);
        EXPECT_TRUE(a.red == b.red && a.green == b.green && a.blue == b.blue) << x << "," << y;
    }
    EXPECT_TRUE(knobShows(shown, kMasterKnobX, kMasterKnobY, effect->getParameter(effect, 1)));
    dispatch(effEditClose);
    XSync(display, False);
    EXPECT_EQ(editorWindow(), 0u);
}

TEST_F(SharedObjectEditor, AKnobFollowsARealDragAndTheGestureIsBracketedByBeginAndEndEdit) {
    ASSERT_TRUE(open());
    idle(3);
    calls.clear();
    dragMasterKnob();
    expectBracketed(calls, 1);
    const std::vector<Call> automations = callsOf(audioMasterAutomate);
    ASSERT_GE(automations.size(), 2u);
    EXPECT_NEAR(automations.back().opt, 5.0f / 6.0f, 0.05f) << "the pointer ended right of the centre";
    EXPECT_EQ(effect->getParameter(effect, 1), automations.back().opt);
    EXPECT_FALSE(callsOf(audioMasterIdle).empty()) << "the host's idle work ran during the drag";
    EXPECT_TRUE(knobShows(panel(), kMasterKnobX, kMasterKnobY, automations.back().opt));
}

TEST_F(SharedObjectEditor, AHostsParameterChangeShowsAtTheNextIdle) {
    ASSERT_TRUE(open());
    idle(3);
    effect->setParameter(effect, 5, 0.3f);
    EXPECT_FALSE(knobShows(panel(), kTuneKnobX, kTuneKnobY, 0.3f)) << "nothing is drawn before the idle";
    dispatch(effEditIdle);
    EXPECT_TRUE(knobShows(panel(), kTuneKnobX, kTuneKnobY, 0.3f));
}

TEST_F(SharedObjectEditor, ClosedInsideADragTheGestureStillEndsAndTheEditorOpensAgain) {
    ASSERT_TRUE(open());
    idle(3);
    calls.clear();
    bool closed = false;
    onHostIdle = [&] {
        if (closed || callsOf(audioMasterAutomate).empty()) return;
        closed = true;
        dispatch(effEditClose);
    };
    dragMasterKnob();
    onHostIdle = nullptr;
    EXPECT_TRUE(closed);
    expectBracketed(calls, 1);
    XSync(display, False);
    EXPECT_EQ(editorWindow(), 0u);
    ASSERT_TRUE(open());
    idle(3);
    EXPECT_TRUE(knobShows(panel(), kMasterKnobX, kMasterKnobY, effect->getParameter(effect, 1)));
}

TEST_F(SharedObjectEditor, OpenAndCloseLeaveNoConnectionWindowOrErrorHandlerBehind) {
    const int descriptors = openDescriptors();
    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_TRUE(open()) << cycle;
        idle();
        // An error of the host's own connection still reaches the host's handler.
        XWindowAttributes attributes;
        XGetWindowAttributes(display, 0x7FFFFFF0, &attributes);
        XSync(display, False);
        dispatch(effEditClose);
    }
    XSync(display, False);
    EXPECT_EQ(hostErrors, 20);
    EXPECT_EQ(editorWindow(), 0u);
    EXPECT_EQ(openDescriptors(), descriptors) << "every editor's connection is closed";
    EXPECT_EQ(XSetErrorHandler(countHostError), &countHostError) << "the host's handler is back";
}

TEST_F(SharedObjectEditor, AParentTheHostDestroysFirstDoesNotEndTheProcess) {
    ASSERT_TRUE(open());
    idle(2);
    XDestroyWindow(display, host);
    XSync(display, False);
    host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 500, 300, 0, 0, 0);
    XMapWindow(display, host);
    XSync(display, False);
    idle(3);
    effect->setParameter(effect, 2, 0.9f);
    idle(2);
    dispatch(effEditClose);
    EXPECT_EQ(hostErrors, 0) << "the editor's errors stay on its own connection";
    ASSERT_TRUE(open());
    idle(2);
    EXPECT_NE(editorWindow(), 0u);
}

// A host's audio thread plays and automates all the while; its GUI thread
// opens the editor, drags a knob, closes it (every other time from inside
// the drag) and opens it again, then opens and closes it quickly. Under
// ThreadSanitizer nothing may be reported; in every build nothing may crash.
TEST_F(SharedObjectEditor, AudioThreadPlaysWhileTheEditorOpensDragsAndClosesOverAndOver) {
    const int descriptors = openDescriptors();
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(effSetBlockSize, 0, 256);
    dispatch(effMainsChanged, 0, 1);
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<long> nonFinite{0};
    std::thread audio([&] {
        std::vector<float> left(256), right(256);
        float* outputs[2] = {left.data(), right.data()};
        VstMidiEvent note{};
        note.type = kVstMidiType;
        note.byteSize = sizeof note;
        struct { int32_t numEvents; intptr_t reserved; VstEvent* events[1]; } list{1, 0, {reinterpret_cast<VstEvent*>(&note)}};
        for (long block = 0; !stop; ++block) {
            note.midiData[0] = static_cast<char>(0x90);
            note.midiData[1] = static_cast<char>(40 + block % 48);
            note.midiData[2] = 100;
            dispatch(effProcessEvents, 0, 0, &list);
            effect->setParameter(effect, static_cast<int32_t>(block % 18), static_cast<float>(block % 100) / 99.0f);
            effect->processReplacing(effect, nullptr, outputs, 256);
            for (float sample : left) {
                if (!std::isfinite(sample)) nonFinite.fetch_add(1);
            }
            blocks.fetch_add(1);
        }
    });
    constexpr int kDragCycles = 8;
    int closedInsideDrag = 0;
    for (int cycle = 0; cycle < kDragCycles; ++cycle) {
        ASSERT_TRUE(open()) << cycle;
        idle(3);
        bool closeNow = cycle % 2 == 1;
        onHostIdle = [&] {
            if (!closeNow || callsOf(audioMasterAutomate).empty()) return;
            closeNow = false;
            ++closedInsideDrag;
            dispatch(effEditClose);
        };
        dragMasterKnob();
        onHostIdle = nullptr;
        dispatch(effEditClose);
    }
    for (int cycle = 0; cycle < 30; ++cycle) {
        ASSERT_TRUE(open()) << cycle;
        idle();
        dispatch(effEditClose);
    }
    stop = true;
    audio.join();
    XSync(display, False);

    EXPECT_EQ(nonFinite.load(), 0);
    EXPECT_GT(blocks.load(), 0);
    EXPECT_EQ(closedInsideDrag, kDragCycles / 2);
    EXPECT_GE(callsOf(audioMasterBeginEdit).size(), static_cast<size_t>(kDragCycles / 2));
    EXPECT_EQ(callsOf(audioMasterEndEdit).size(), callsOf(audioMasterBeginEdit).size());
    EXPECT_EQ(hostErrors, 0);
    EXPECT_EQ(editorWindow(), 0u);
    EXPECT_EQ(openDescriptors(), descriptors) << "every editor's connection is closed";
    std::printf("%d drags (%d closed inside the drag), 30 quick openings, %ld audio blocks\n", kDragCycles,
                closedInsideDrag, blocks.load());
}
