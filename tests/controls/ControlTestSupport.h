// What the control tests share: a listener that records what it is told, an
// editor window with a frame, and a second thread that moves the pointer and
// presses buttons while this thread runs the controls' tracking loops.
#pragma once

#include <windows.h>

#include <vector>

#include "GuiTestSupport.h"
#include "controls/Control.h"
#include "gui/FrameOwner.h"
#include "gui/ToolkitModule.h"
#include "gui/Frame.h"

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
    HINSTANCE frameModule() const override { return toolkitModule(); }
    void trackingIdle() override { ++idles; }
    int idles = 0;
};

// A script of pointer moves, button presses and key presses, played on a
// thread of its own with a pause after every step.
class Gesture {
public:
    Gesture& moveTo(HWND window, int x, int y);
    Gesture& press();
    Gesture& release();
    Gesture& keyDown(WORD virtualKey);
    Gesture& keyUp(WORD virtualKey);
    Gesture& click(HWND window, int x, int y) { return moveTo(window, x, y).press().release(); }
    // Plays the script while this thread dispatches the window messages it causes.
    void perform() const;

private:
    // A pointer move goes to SetCursorPos, everything else to SendInput.
    struct Step {
        bool isMove;
        POINT screen;
        INPUT input;
    };

    void play() const;

    std::vector<Step> steps;
};

// Window messages for this thread, without the keyboard's: a released Alt
// would otherwise open the top window's system menu and its modal loop.
void pumpMouseMessages();

// Input records for SendInput: a mouse button event, a key going down or up.
INPUT mouseButtonInput(DWORD flags);
INPUT keyInput(WORD virtualKey, bool down);

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
    COLORREF pixel(int x, int y) const;
    HWND window() const { return frame->getWindow(); }

    CountingOwner owner;
    Frame* frame;

private:
    HWND host;
};
