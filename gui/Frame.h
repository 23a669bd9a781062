// The root view: the editor's child window inside the host's window, the
// list of views it owns, mouse dispatch, painting and the idle refresh.
#pragma once

#include <cstdint>

#include "gui/SystemTypes.h"
#include "gui/View.h"

class Bitmap;
class FrameOwner;

class Frame : public View {
public:
    // hostWindow is the window the host hands the editor, as it hands it
    // (an HWND, or an X11 window id). Without one there is no child window:
    // nothing is drawn and no click arrives. Without an owner the frame uses
    // the toolkit's module.
    Frame(const Rect& editorSize, void* hostWindow, FrameOwner* frameOwner);
    ~Frame() override;

    // The owner is done with the frame. It is deleted at once, or, when this
    // comes from inside one of the frame's own handlers (a control's drag
    // loop, a popup menu, a text edit), as soon as that handler returns: till
    // then the frame is hidden, tells nobody of anything and drag loops end.
    void close();
    bool isClosing() const { return closing; }

    // Held by every handler the frame runs for the platform; the frame
    // cannot be deleted under it.
    class HandlerScope {
    public:
        explicit HandlerScope(Frame& handled) : frame(handled) { ++frame.handlerDepth; }
        // May delete the frame, or tell its owner the user's gesture ended:
        // nothing may use the frame after the scope ends.
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        Frame& frame;
    };

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;
    void update(DrawContext& context) override;
    // The frame takes ownership; views added later lie on top for clicks.
    virtual bool addView(View* view);
    // Takes the view out of the list without deleting or telling it.
    virtual bool removeView(View* view);

    // Only one modal view at a time; null always clears it.
    bool setModalView(View* view);
    View* getModalView() const { return modalView; }
    void setFocusView(View* view) { focusView = view; }
    View* getFocusView() const { return focusView; }
    void setBackground(Bitmap* picture);
    Bitmap* getBackground() const { return background; }

    // Draws one view at once, or the whole editor when the view is not in the list.
    void drawView(View* view);
    // Runs update on the views, from the first paint on.
    void idle();
    // Controls call this once per pass of their mouse-tracking loops.
    void trackingIdle();
    bool setSize(int32_t width, int32_t height);
    // Handles whatever the window system has queued for the frame's windows,
    // without blocking. Where the system delivers to the window by itself
    // (Win32) there is nothing to do.
    void handleEvents();
    // Sleeps until input for the frame arrives, or at most this long.
    void waitForInput(uint32_t milliseconds) const;
    bool getPosition(int32_t& x, int32_t& y) const;
    bool getSize(Rect& rect) const;

    FrameOwner* getOwner() const { return owner; }
    SystemModule getModule() const;
    SystemWindow getWindow() const { return window; }
    void* getParentWindow() const { return parentWindow; }
    const FrameWindowState& getWindowState() const { return windowState; }
    bool isWindowOpen() const { return isOpen; }
    bool isFirstDrawPending() const { return firstDrawPending; }
    int32_t getViewCount() const { return viewCount; }
    int32_t getViewCapacity() const { return viewCapacity; }
    View* getView(int32_t index) const;

    // The window class all frames of this module share while any is alive
    // (on X11, where windows have no class, the frames that have a window).
    static const char* getClassName();
    static int32_t getClassUseCount();

private:
    // The backend's own helpers (gui/win32, gui/x11) reach the frame's state.
    struct Platform;
    friend struct Platform;
    friend class WindowSurfaceHold;

    void createWindow();
    void destroyWindow();
    void hideWindow();
    // A surface on the child window for one pass of drawing, and its release
    // (which puts the pass on the screen where the system needs telling).
    SystemContext acquireWindowContext();
    void releaseWindowContext(SystemContext context);
    // Runs the frame's handler of a press at where, as a piece of user input.
    void click(DrawContext& context, Point where);
    bool contains(const View* view) const;

    FrameOwner* owner;
    void* parentWindow;
    Bitmap* background = nullptr;
    int32_t viewCount = 0;
    int32_t viewCapacity = 0;
    View** views = nullptr;
    View* modalView = nullptr;
    View* focusView = nullptr;
    bool firstDrawPending = true;
    bool isOpen = true;
    SystemWindow window = nullptr;
    FrameWindowState windowState;
    int32_t handlerDepth = 0;
    bool closing = false;
};
