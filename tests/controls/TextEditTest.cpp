#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ControlTestSupport.h"
#include "TextControlInput.h"
#include "TextLook.h"
#include "controls/TextEdit.h"
#include "gui/DrawContext.h"

namespace {

const Rect kEditBox(10, 10, 90, 30);
constexpr int kInsideX = 50;
constexpr int kInsideY = 20;

std::string textOf(const TextEdit& edit) {
    char text[256] = "";
    edit.getText(text);
    return text;
}

class TextEditing : public testing::Test {
protected:
    void SetUp() override {
        SetForegroundWindow(testTopWindow());
        edit = window.add(new TextEdit(kEditBox, &listener, 4, "ab", nullptr, 0));
        window.paint();
    }
    void open() { InputScript().clickAt(window.window(), kInsideX, kInsideY).perform(); }
    bool isEditing() const { return edit->getEditWindow() != nullptr; }

    RecordingListener listener;
    EditorWindow window;
    TextEdit* edit = nullptr;
};

}  // namespace

TEST_F(TextEditing, APlainClickOpensAnEditWindowOverTheControlWithTheKeyboardFocus) {
    open();
    ASSERT_TRUE(isEditing());
    HWND editWindow = edit->getEditWindow();
    char className[16] = "";
    GetClassNameA(editWindow, className, sizeof className);
    EXPECT_STREQ(className, "Edit") << "the system's own edit window";
    EXPECT_EQ(GetParent(editWindow), window.window());
    RECT placed{};
    GetWindowRect(editWindow, &placed);
    MapWindowPoints(nullptr, window.window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, kEditBox.left);
    EXPECT_EQ(placed.top, kEditBox.top);
    EXPECT_EQ(placed.right - placed.left, kEditBox.width() + 1);
    EXPECT_EQ(placed.bottom - placed.top, kEditBox.height() + 1);
    char shown[16] = "";
    GetWindowTextA(editWindow, shown, sizeof shown);
    EXPECT_STREQ(shown, "ab");
    EXPECT_EQ(GetFocus(), editWindow);
    EXPECT_EQ(window.frame->getFocusView(), edit);
}

TEST_F(TextEditing, ReturnClosesTheEditAndTellsTheTypedText) {
    open();
    ASSERT_TRUE(isEditing());
    InputScript().key(VK_END).type("42").key(VK_RETURN).perform();
    EXPECT_FALSE(isEditing());
    EXPECT_EQ(window.frame->getFocusView(), nullptr);
    EXPECT_EQ(textOf(*edit), "ab42");
    ASSERT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(listener.tags[0], 4);
}

TEST_F(TextEditing, ReturnWithoutAChangeRedrawsButTellsNobody) {
    edit->setDrawnValue(0.5f);
    open();
    ASSERT_TRUE(isEditing());
    InputScript().key(VK_RETURN).perform();
    EXPECT_FALSE(isEditing());
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(edit->getDrawnValue(), edit->getValue()) << "closing draws the control";
    EXPECT_EQ(textOf(*edit), "ab");
}

TEST_F(TextEditing, AClickElsewhereOrLosingTheKeyboardFocusAlsoClosesTheEdit) {
    open();
    InputScript().key(VK_END).type("7").clickAt(window.window(), 100, 70).perform();
    EXPECT_FALSE(isEditing());
    EXPECT_EQ(textOf(*edit), "ab7");
    EXPECT_EQ(listener.tags.size(), 1u);

    open();
    ASSERT_TRUE(isEditing());
    SetFocus(window.window());
    EXPECT_FALSE(isEditing());
    EXPECT_EQ(window.frame->getFocusView(), nullptr);
    EXPECT_EQ(listener.tags.size(), 1u) << "unchanged text";
}

TEST_F(TextEditing, EditingLeavesNoGdiObjectsBehind) {
    if (gdiObjectCount() < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    open();
    InputScript().key(VK_RETURN).perform();
    const int before = gdiObjectCount();
    open();
    ASSERT_TRUE(isEditing());
    InputScript().key(VK_RETURN).perform();
    EXPECT_FALSE(isEditing());
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST_F(TextEditing, RightShiftOrMiddleClicksAndRefusedMouseOpenNothing) {
    DrawContext context(window.frame, nullptr, window.window());
    const Point inside(kInsideX, kInsideY);
    {
        HeldInput rightButton(MOUSEEVENTF_RIGHTDOWN, {});
        edit->onMouseDown(context, inside);
    }
    {
        HeldInput shiftClick(MOUSEEVENTF_LEFTDOWN, {VK_SHIFT});
        edit->onMouseDown(context, inside);
    }
    {
        HeldInput middleButton(MOUSEEVENTF_MIDDLEDOWN, {});
        edit->onMouseDown(context, inside);
    }
    edit->setAcceptsMouse(false);
    {
        HeldInput plainClick(MOUSEEVENTF_LEFTDOWN, {});
        edit->onMouseDown(context, inside);
    }
    EXPECT_FALSE(isEditing());
    EXPECT_EQ(window.frame->getFocusView(), nullptr);
    EXPECT_TRUE(listener.tags.empty());
}

TEST(TextEdit, TextsAreCutAt255CharactersAndANullTextIsIgnored) {
    TextEdit edit(kEditBox, nullptr, 0, nullptr, nullptr, 0);
    EXPECT_EQ(textOf(edit), "");
    const std::string longText(400, 'q');
    edit.setText(longText.c_str());
    EXPECT_EQ(textOf(edit), std::string(255, 'q'));
    edit.setText(nullptr);
    EXPECT_EQ(textOf(edit), std::string(255, 'q'));
    edit.getText(nullptr);

    TextEdit cutAtStart(kEditBox, nullptr, 0, longText.c_str(), nullptr, 0);
    EXPECT_EQ(textOf(cutAtStart).size(), 255u);
}

TEST(TextEdit, SetTextMarksTheControlOutOfDateAndTheConverterChangesWhatIsShown) {
    TextEdit edit(kEditBox, nullptr, 0, "x", nullptr, 0);
    MemorySurface surface(100, 40, RGB(90, 90, 90));
    drawInto(surface, edit);
    ASSERT_EQ(edit.getDrawnValue(), edit.getValue());
    edit.setText("hello");
    EXPECT_NE(edit.getDrawnValue(), edit.getValue());

    edit.setTextConvert([](const char* text, char* shown) {
        shown[0] = '<';
        std::strcpy(shown + 1, text);
        std::strcat(shown, ">");
    });
    MemorySurface shown(100, 40, RGB(90, 90, 90));
    MemorySurface expected(100, 40, RGB(90, 90, 90));
    drawInto(shown, edit);
    drawExpectedText(expected, kEditBox, "<hello>", kWhiteColor);
    EXPECT_TRUE(shown.samePixels(expected));
    EXPECT_EQ(textOf(edit), "hello") << "the converter changes only the picture";
}
