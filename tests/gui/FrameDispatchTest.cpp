#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "TestPictures.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"

namespace {

using Log = std::vector<std::string>;

// A frame without a host window: no child window, everything else as usual.
class FrameDispatch : public testing::Test {
protected:
    RecordingView* add(const char* name, const Rect& r) {
        auto* view = new RecordingView(r, name, log);
        frame.addView(view);
        return view;
    }
    void click(int h, int v) { frame.onMouseDown(context, Point(h, v)); }

    Log log;
    Frame frame{Rect(0, 0, 200, 100), nullptr, nullptr};
    DrawContext context{&frame, nullptr, nullptr};
};

}  // namespace

TEST_F(FrameDispatch, TheLaterOfTwoOverlappingViewsTakesTheClick) {
    RecordingView* below = add("below", Rect(0, 0, 50, 50));
    RecordingView* above = add("above", Rect(40, 40, 90, 90));
    click(45, 45);
    EXPECT_EQ(log, (Log{"above:click"}));
    EXPECT_EQ(above->lastClick.h, 45);
    click(50, 50);
    click(10, 10);
    EXPECT_EQ(log, (Log{"above:click", "above:click", "below:click"}));
    EXPECT_EQ(below->lastClick.h, 10);
}

TEST_F(FrameDispatch, AClickOnTheRightOrBottomEdgeHitsAndBeyondMisses) {
    add("view", Rect(10, 10, 20, 20));
    click(20, 20);
    click(21, 20);
    click(5, 5);
    EXPECT_EQ(log, (Log{"view:click"}));
}

TEST_F(FrameDispatch, AModalViewSwallowsClicksOutsideItAndAloneIsUpdated) {
    add("first", Rect(0, 0, 50, 50));
    RecordingView* modal = add("modal", Rect(60, 0, 100, 50));
    add("last", Rect(60, 0, 100, 50));
    ASSERT_TRUE(frame.setModalView(modal));
    click(10, 10);
    click(70, 10);
    frame.update(context);
    EXPECT_EQ(log, (Log{"modal:click", "modal:update"}));
}

TEST_F(FrameDispatch, DrawPaintsEveryViewThenTheModalViewAgainOnTop) {
    add("first", Rect(0, 0, 50, 50));
    RecordingView* modal = add("modal", Rect(60, 0, 100, 50));
    add("last", Rect(0, 0, 10, 10));
    frame.setModalView(modal);
    EXPECT_TRUE(frame.isFirstDrawPending());
    frame.draw(context);
    EXPECT_FALSE(frame.isFirstDrawPending());
    EXPECT_EQ(log, (Log{"first:draw", "modal:draw", "last:draw", "modal:draw"}));
}

TEST_F(FrameDispatch, OnlyOneModalViewAtATimeAndNullAlwaysClears) {
    RecordingView* one = add("one", Rect(0, 0, 10, 10));
    RecordingView* two = add("two", Rect(0, 0, 10, 10));
    EXPECT_TRUE(frame.setModalView(one));
    EXPECT_FALSE(frame.setModalView(two));
    EXPECT_EQ(frame.getModalView(), one);
    EXPECT_TRUE(frame.setModalView(nullptr));
    EXPECT_TRUE(frame.setModalView(nullptr));
    EXPECT_TRUE(frame.setModalView(two));
    EXPECT_EQ(frame.getModalView(), two);
}

TEST_F(FrameDispatch, AClickOutsideTheFocusViewTakesTheFocusThenGoesOn) {
    RecordingView* editField = add("edit", Rect(0, 0, 50, 20));
    add("knob", Rect(100, 0, 140, 40));
    frame.setFocusView(editField);
    click(10, 10);
    EXPECT_EQ(frame.getFocusView(), editField);
    click(110, 10);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(log, (Log{"edit:click", "edit:focusLost", "knob:click"}));
}

TEST_F(FrameDispatch, FocusIsLostEvenWhenTheClickReachesNoView) {
    RecordingView* editField = add("edit", Rect(0, 0, 50, 20));
    frame.setFocusView(editField);
    click(150, 90);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(log, (Log{"edit:focusLost"}));
}

TEST_F(FrameDispatch, TheEleventhViewGrowsTheListByTen) {
    for (int i = 0; i < 10; ++i) add("v", Rect(0, 0, 1, 1));
    EXPECT_EQ(frame.getViewCapacity(), 10);
    RecordingView* eleventh = add("eleventh", Rect(0, 0, 1, 1));
    EXPECT_EQ(frame.getViewCapacity(), 20);
    EXPECT_EQ(frame.getViewCount(), 11);
    EXPECT_EQ(frame.getView(10), eleventh);
    EXPECT_EQ(eleventh->getParent(), &frame);
}

TEST_F(FrameDispatch, RemovingAViewClosesTheGapAndNeitherDeletesNorTellsIt) {
    RecordingView* a = add("a", Rect(0, 0, 1, 1));
    auto* b = new RecordingView(Rect(0, 0, 1, 1), "b", log);
    frame.addView(b);
    RecordingView* c = add("c", Rect(0, 0, 1, 1));
    EXPECT_TRUE(frame.removeView(b));
    EXPECT_TRUE(frame.removeView(b));
    EXPECT_EQ(frame.getViewCount(), 2);
    EXPECT_EQ(frame.getView(0), a);
    EXPECT_EQ(frame.getView(1), c);
    EXPECT_TRUE(log.empty());
    delete b;
}

TEST_F(FrameDispatch, ANullViewIsNotAdded) {
    EXPECT_FALSE(frame.addView(nullptr));
    EXPECT_EQ(frame.getViewCount(), 0);
    frame.draw(context);
}

TEST(FrameLifetime, DestructionTakesTheFocusThenDeletesViewsInOrder) {
    Log log;
    auto* frame = new Frame(Rect(0, 0, 100, 100), nullptr, nullptr);
    auto* first = new RecordingView(Rect(0, 0, 10, 10), "first", log);
    auto* second = new RecordingView(Rect(0, 0, 10, 10), "second", log);
    frame->addView(first);
    frame->addView(second);
    frame->setFocusView(second);
    delete frame;
    EXPECT_EQ(log, (Log{"second:focusLost", "first:destroyed", "second:destroyed"}));
}

TEST(FrameLifetime, HoldsOneReferenceOnItsBackground) {
    auto* picture = new Bitmap(kStripPicture);
    auto* other = new Bitmap(kKeyedPicture);
    auto* frame = new Frame(Rect(0, 0, 100, 100), nullptr, nullptr);
    frame->setBackground(picture);
    EXPECT_EQ(picture->getRefCount(), 2);
    frame->setBackground(other);
    EXPECT_EQ(picture->getRefCount(), 1);
    EXPECT_EQ(other->getRefCount(), 2);
    delete frame;
    EXPECT_EQ(other->getRefCount(), 1);
    picture->forget();
    other->forget();
}

TEST(FrameLifetime, WithoutAHostWindowThereIsNoWindowAndNoClass) {
    const int32_t uses = Frame::getClassUseCount();
    Log log;
    Frame frame(Rect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new RecordingView(Rect(0, 0, 10, 10), "view", log);
    frame.addView(view);
    EXPECT_EQ(frame.getWindow(), nullptr);
    EXPECT_EQ(Frame::getClassUseCount(), uses);
    view->redraw();
    frame.drawView(nullptr);
    EXPECT_TRUE(log.empty());
}

