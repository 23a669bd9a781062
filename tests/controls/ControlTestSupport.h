// What the control tests share: a listener that records what it is told, an
// editor window with a frame, and a second thread that moves the pointer and
// presses buttons and keys as a user would while this thread runs the
// controls' tracking loops.
#pragma once

#include <cstdint>
#include <vector>

#include "TestPlatform.h"
#include "controls/Control.h"
#include "gui/Frame.h"
#include "gui/FrameOwner.h"
#include "gui/ToolkitModule.h"

// Records every notification; like the editor it redraws the control unless
// told not to, which is what moves drawnValue during a drag.
class RecordingListener : public ControlListener {
public:
    explicit RecordingListener(bool redrawsControl = true) : redraws(redrawsControl) {}
    void valueChanged(DrawContext& context, Control& control) override;

    std::vector<float> values;
    std::vector<int32_t> tags;

private:
    bool redraws;
};

// A frame's owner that counts the idle work tracking loops run.
class CountingOwner : public FrameOwner {
public:
    SystemModule frameModule() const override { return toolkitModule(); }
    void trackingIdle() override { ++idles; }
    int idles = 0;
};

// A script of pointer moves, button presses and key presses, played on a
// thread of its own with a pause after every step.
class Gesture {
public:
    Gesture& moveTo(SystemWindow window, int x, int y);
    Gesture& press();
    Gesture& release();
    Gesture& keyDown(TestKey key);
    Gesture& keyUp(TestKey key);
    Gesture& click(SystemWindow window, int x, int y) { return moveTo(window, x, y).press().release(); }
    // Plays the script while this thread handles the window events it causes.
    void perform() const;

    enum class Kind { Move, Press, Release, KeyDown, KeyUp };
    struct Step {
        Kind kind;
        // The window's own id, taken when the script is written: a frame
        // closed during the gesture takes its window's handle with it.
        uintptr_t window;
        int x;
        int y;
        TestKey key;
    };

private:
    void play() const;

    std::vector<Step> steps;
};

// Handles the window events this thread's frames have and pauses a moment,
// as the host's GUI loop would, while a gesture plays; and once more after it.
void handleTestEvents();

// A host window with a painted frame of kEditorBackPicture's size, with a
// counting owner, and the pixels of its child window.
class EditorWindow {
public:
    EditorWindow();
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    template <typename ControlType>
    ControlType* add(ControlType* control) {
        frame->addView(control);
        return control;
    }
    void paint();
    uint32_t pixel(int x, int y) const;
    SystemWindow window() const { return frame->getWindow(); }

    CountingOwner owner;
    // Null once a test hands the frame over to be closed by itself.
    Frame* frame;

private:
    uintptr_t host;
};
