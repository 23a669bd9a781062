// The root view: the editor's child window inside the host's window, the
// list of views it owns, mouse dispatch, painting and the idle refresh.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/View.h"

class Bitmap;
class FrameOwner;

class Frame : public View {
public:
    // Without a host window there is no child window: nothing is drawn and no
    // click arrives. Without an owner the frame uses the toolkit's module.
    Frame(const Rect& editorSize, HWND hostWindow, FrameOwner* frameOwner);
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
        // May delete the frame: nothing may use it after the scope ends.
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
    bool getPosition(int32_t& x, int32_t& y) const;
    bool getSize(Rect& rect) const;

    FrameOwner* getOwner() const { return owner; }
    HINSTANCE getModule() const;
    HWND getWindow() const { return window; }
    HWND getParentWindow() const { return parentWindow; }
    bool isWindowOpen() const { return isOpen; }
    bool isFirstDrawPending() const { return firstDrawPending; }
    int32_t getViewCount() const { return viewCount; }
    int32_t getViewCapacity() const { return viewCapacity; }
    View* getView(int32_t index) const;

    // The window class all frames of this module share while any is alive.
    static const char* getClassName();
    static int32_t getClassUseCount();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void registerClass(HINSTANCE module);
    static void unregisterClass();

    void createWindow();
    void handle(HWND handledWindow, UINT message, LPARAM lParam);
    void paint(HWND paintedWindow);
    void click(HWND clickedWindow, LPARAM position);
    bool contains(const View* view) const;

    FrameOwner* owner;
    HWND parentWindow;
    Bitmap* background = nullptr;
    int32_t viewCount = 0;
    int32_t viewCapacity = 0;
    View** views = nullptr;
    View* modalView = nullptr;
    View* focusView = nullptr;
    bool firstDrawPending = true;
    bool isOpen = true;
    // Counted in the class's use count, whether or not the window came up.
    bool usesClass = false;
    HWND window = nullptr;
    int32_t handlerDepth = 0;
    bool closing = false;
};
