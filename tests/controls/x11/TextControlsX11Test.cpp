// The option menu and the text edit on X11, whose popup and entry the
// toolkit draws itself: the same choices, cancellations and endings as the
// Win32 ones, through real keys and clicks.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/OptionMenu.h"
#include "controls/TextEdit.h"

namespace {

const Rect kBox(10, 10, 90, 30);

class X11OptionMenu : public testing::Test {
protected:
    void SetUp() override {
        menu = window.add(new OptionMenu(kBox, &listener, 6, nullptr, nullptr, 0));
        for (const char* entry : {"one", "-", "three", "four"}) menu->addEntry(entry);
        window.paint();
    }
    Gesture open() { return Gesture().click(window.window(), 50, 20); }
    Gesture& key(Gesture& gesture, TestKey symbol) { return gesture.keyDown(symbol).keyUp(symbol); }

    RecordingListener listener;
    EditorWindow window;
    OptionMenu* menu = nullptr;
};

class X11TextEdit : public testing::Test {
protected:
    void SetUp() override {
        edit = window.add(new TextEdit(kBox, &listener, 4, "ab", nullptr, 0));
        window.paint();
    }
    std::string text() const {
        char shown[256] = "";
        edit->getText(shown);
        return shown;
    }
    Gesture& key(Gesture& gesture, TestKey symbol) { return gesture.keyDown(symbol).keyUp(symbol); }

    RecordingListener listener;
    EditorWindow window;
    TextEdit* edit = nullptr;
};

}  // namespace

TEST_F(X11OptionMenu, DownSkipsTheSeparatorAndReturnChooses) {
    Gesture gesture = open();
    key(key(key(gesture, XK_Down), XK_Down), XK_Return).perform();
    EXPECT_EQ(menu->getCurrent(), 2);
    EXPECT_EQ(listener.tags, std::vector<int32_t>{6});
    EXPECT_EQ(menu->getMenu(), nullptr);
    EXPECT_EQ(window.frame->getFocusView(), nullptr);
}

TEST_F(X11OptionMenu, EscapeOrAPressOutsideDismissesWithoutTellingAnyone) {
    Gesture escape = open();
    key(escape, XK_Escape).perform();
    Gesture outside = open();
    outside.click(window.window(), 110, 5).perform();
    EXPECT_EQ(menu->getCurrent(), 0);
    EXPECT_TRUE(listener.tags.empty());
}

TEST_F(X11OptionMenu, AReleaseOverAnItemChoosesIt) {
    menu->setCurrent(3);
    open().click(window.window(), 20, kBox.bottom + 4).perform();  // the first row, just under the control
    EXPECT_EQ(menu->getCurrent(), 0);
    EXPECT_EQ(listener.tags.size(), 1u);
}

TEST_F(X11TextEdit, TypedTextEndsWithReturnAndIsTold) {
    Gesture gesture = Gesture().click(window.window(), 50, 20);
    key(key(key(key(gesture, XK_End), XK_4), XK_2), XK_Return).perform();
    EXPECT_EQ(edit->getEditWindow(), nullptr);
    EXPECT_EQ(text(), "ab42");
    EXPECT_EQ(listener.tags, std::vector<int32_t>{4});
}

TEST_F(X11TextEdit, EscapeKeepsEditingAndAClickElsewhereEndsIt) {
    Gesture gesture = Gesture().click(window.window(), 50, 20);
    key(key(gesture, XK_BackSpace), XK_Escape).perform();
    ASSERT_NE(edit->getEditWindow(), nullptr) << "Escape does not end the edit";
    Gesture().click(window.window(), 100, 70).perform();
    EXPECT_EQ(edit->getEditWindow(), nullptr);
    EXPECT_EQ(text(), "a");
    EXPECT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(window.frame->getFocusView(), nullptr);
}

TEST_F(X11TextEdit, ReturnWithoutAChangeTellsNobody) {
    Gesture gesture = Gesture().click(window.window(), 50, 20);
    key(gesture, XK_Return).perform();
    EXPECT_EQ(edit->getEditWindow(), nullptr);
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(text(), "ab");
}
