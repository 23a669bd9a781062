#include "gui/Frame.h"

#include <cstdlib>

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/FrameDrawContext.h"
#include "gui/FrameOwner.h"
#include "gui/ToolkitModule.h"

namespace {

constexpr int32_t kViewCapacityStep = 10;

}  // namespace

Frame::Frame(const Rect& editorSize, void* hostWindow, FrameOwner* frameOwner)
    : View(editorSize), owner(frameOwner), parentWindow(hostWindow) {
    if (parentWindow) createWindow();
}

void Frame::close() {
    if (handlerDepth == 0) {
        delete this;
        return;
    }
    closing = true;
    owner = nullptr;  // it may be gone by the time the handler returns
    if (window) hideWindow();
}

Frame::HandlerScope::~HandlerScope() {
    if (--frame.handlerDepth != 0) return;
    if (frame.closing) {
        delete &frame;
    } else if (frame.owner) {
        frame.owner->gestureEnded();
    }
}

SystemModule Frame::getModule() const { return owner ? owner->frameModule() : toolkitModule(); }

Frame::~Frame() {
    if (focusView) {
        focusView->onFocusLost();
        focusView = nullptr;
    }
    for (int32_t i = 0; i < viewCount; ++i) delete views[i];
    std::free(views);
    if (background) background->forget();
    destroyWindow();
}

void Frame::draw(DrawContext& context) {
    firstDrawPending = false;
    if (background) {
        background->draw(context, Rect(0, 0, background->getWidth(), background->getHeight()), Point(0, 0));
    }
    for (int32_t i = 0; i < viewCount; ++i) views[i]->draw(context);
    if (modalView) modalView->draw(context);  // ends on top
}

void Frame::onMouseDown(DrawContext& context, Point where) {
    if (focusView && !where.isInside(focusView->size)) {
        focusView->onFocusLost();
        focusView = nullptr;
    }
    if (modalView) {
        if (where.isInside(modalView->size)) modalView->onMouseDown(context, where);
        return;
    }
    for (int32_t i = viewCount - 1; i >= 0; --i) {
        if (where.isInside(views[i]->size)) {
            views[i]->onMouseDown(context, where);
            return;
        }
    }
}

void Frame::update(DrawContext& context) {
    if (!isOpen) return;
    if (modalView) {
        modalView->update(context);
        return;
    }
    for (int32_t i = 0; i < viewCount; ++i) views[i]->update(context);
}

bool Frame::addView(View* view) {
    if (!view) return false;  // every pass over the list calls into its views
    if (viewCount == viewCapacity) {
        const int32_t grown = viewCapacity + kViewCapacityStep;
        void* array = std::realloc(views, static_cast<size_t>(grown) * sizeof(View*));
        if (!array) return false;
        views = static_cast<View**>(array);
        viewCapacity = grown;
    }
    views[viewCount++] = view;
    view->parent = this;
    return true;
}

bool Frame::removeView(View* view) {
    for (int32_t i = 0; i < viewCount; ++i) {
        if (views[i] == view) {
            for (int32_t j = i + 1; j < viewCount; ++j) views[j - 1] = views[j];
            --viewCount;
            break;
        }
    }
    return true;
}

View* Frame::getView(int32_t index) const {
    return index >= 0 && index < viewCount ? views[index] : nullptr;
}

bool Frame::setModalView(View* view) {
    if (view && modalView) return false;
    modalView = view;
    return true;
}

void Frame::setBackground(Bitmap* picture) {
    if (background) background->forget();
    background = picture;
    if (background) background->remember();
}

bool Frame::contains(const View* view) const {
    if (!view) return false;
    for (int32_t i = 0; i < viewCount; ++i) {
        if (views[i] == view) return true;
    }
    return false;
}

void Frame::drawView(View* view) {
    if (!window || closing) return;  // on Win32 GetDC would hand out the whole screen
    FrameDrawContext context(*this);
    if (contains(view)) {
        view->draw(context);
    } else {
        draw(context);
    }
}

void Frame::idle() {
    if (!isOpen || firstDrawPending || !window || closing) return;
    FrameDrawContext context(*this);
    update(context);
}

void Frame::click(DrawContext& context, Point where) {
    if (!closing) onMouseDown(context, where);
}

void Frame::trackingIdle() {
    if (owner) owner->trackingIdle();
}
