#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "ExtraPictures.h"
#include "TextControlInput.h"
#include "TextLook.h"
#include "controls/DisplayStyle.h"
#include "controls/OptionMenu.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

const Rect kMenuBox(10, 10, 110, 30);

std::string entryAt(const OptionMenu& menu, int32_t index) {
    char text[256] = "";
    return menu.getEntry(index, text) ? text : "<none>";
}

std::string currentOf(const OptionMenu& menu) {
    char text[256] = "";
    return menu.getCurrent(text) < 0 ? "<none>" : text;
}

class OptionMenuEntries : public testing::Test {
protected:
    OptionMenu menu{kMenuBox, nullptr, 0, nullptr, nullptr, 0};
};

class OptionMenuPopup : public testing::Test {
protected:
    void SetUp() override { SetForegroundWindow(testTopWindow()); }
    OptionMenu* addMenu(int32_t style, Bitmap* openPicture = nullptr) {
        auto* menu = window.add(new OptionMenu(kMenuBox, &listener, 6, nullptr, openPicture, style));
        for (const char* entry : {"one", "-", "three", "four"}) menu->addEntry(entry);
        window.paint();
        return menu;
    }
    POINT screenOrigin() const {
        POINT origin{0, 0};
        ClientToScreen(window.window(), &origin);
        return origin;
    }

    RecordingListener listener;
    EditorWindow window;
};

}  // namespace

TEST_F(OptionMenuEntries, TheFirstEntryBecomesCurrentAndInsertingBeforeTheCurrentKeepsItCurrent) {
    EXPECT_EQ(menu.getCurrent(), -1);
    EXPECT_TRUE(menu.addEntry("alpha"));
    EXPECT_EQ(menu.getCurrent(), 0);
    EXPECT_TRUE(menu.addEntry("beta"));
    EXPECT_TRUE(menu.setCurrent(1));
    EXPECT_TRUE(menu.addEntry("first", 0));
    EXPECT_EQ(menu.getCurrent(), 2);
    EXPECT_EQ(currentOf(menu), "beta");
    EXPECT_TRUE(menu.addEntry("middle", 2));
    EXPECT_EQ(currentOf(menu), "beta") << "inserting at the current index pushes it on";
    EXPECT_TRUE(menu.addEntry("last", 4));
    EXPECT_EQ(currentOf(menu), "beta") << "inserting after it leaves it";
    EXPECT_EQ(menu.getEntryCount(), 5);
    EXPECT_EQ(entryAt(menu, 0), "first");
    EXPECT_EQ(entryAt(menu, 4), "last");
}

TEST_F(OptionMenuEntries, AnIndexPastTheEndAppendsAndTheFullListRefusesMore) {
    menu.addEntry("a");
    EXPECT_TRUE(menu.addEntry("far", 50));
    EXPECT_EQ(entryAt(menu, 1), "far");
    EXPECT_TRUE(menu.addEntry(nullptr, -7));
    EXPECT_EQ(entryAt(menu, 2), "");
    while (menu.getEntryCount() < OptionMenu::kMaxEntries) ASSERT_TRUE(menu.addEntry("x"));
    EXPECT_FALSE(menu.addEntry("one too many"));
    EXPECT_FALSE(menu.addEntry("one too many", 0));
    EXPECT_EQ(menu.getEntryCount(), OptionMenu::kMaxEntries);
    EXPECT_EQ(entryAt(menu, 0), "a");
}

TEST_F(OptionMenuEntries, SetCurrentRefusesSeparatorsAndIndicesOutOfRange) {
    menu.addEntry("a");
    menu.addEntry("-");
    menu.addEntry("b");
    EXPECT_FALSE(menu.setCurrent(1));
    EXPECT_FALSE(menu.setCurrent(3));
    EXPECT_FALSE(menu.setCurrent(-1));
    EXPECT_EQ(menu.getCurrent(), 0);
    EXPECT_FALSE(menu.getEntry(3, nullptr));
    EXPECT_FALSE(menu.removeEntry(-1));
    EXPECT_EQ(menu.getEntryCount(), 3);

    menu.setDrawnValue(menu.getValue());
    EXPECT_TRUE(menu.setCurrent(2));
    EXPECT_NE(menu.getDrawnValue(), menu.getValue()) << "a new current entry is drawn at the next update";
}

TEST_F(OptionMenuEntries, RemovingKeepsACurrentEntryWhileAnyRemain) {
    for (const char* entry : {"a", "b", "c", "d"}) menu.addEntry(entry);
    EXPECT_TRUE(menu.removeEntry(0));
    EXPECT_EQ(currentOf(menu), "b") << "the first stays current";
    menu.setCurrent(2);
    EXPECT_TRUE(menu.removeEntry(0));
    EXPECT_EQ(currentOf(menu), "d") << "removing before the current one keeps it";
    EXPECT_TRUE(menu.removeEntry(1));
    EXPECT_EQ(currentOf(menu), "c") << "removing the current one makes the one before current";
    EXPECT_TRUE(menu.removeEntry(0));
    EXPECT_EQ(menu.getCurrent(), -1);
    EXPECT_EQ(menu.getEntryCount(), 0);

    menu.addEntry("again");
    EXPECT_EQ(menu.getCurrent(), 0);
    EXPECT_TRUE(menu.removeAllEntries());
    EXPECT_EQ(menu.getCurrent(), -1);
    EXPECT_EQ(menu.getEntryCount(), 0);
}

TEST_F(OptionMenuEntries, EntriesAreCutAt255Characters) {
    const std::string longText(300, 'z');
    menu.addEntry(longText.c_str());
    EXPECT_EQ(entryAt(menu, 0), std::string(255, 'z'));
}

TEST_F(OptionMenuEntries, ItDrawsTheCurrentEntryOrAnEmptyBox) {
    MemorySurface empty(120, 40, RGB(90, 90, 90));
    MemorySurface emptyExpected(120, 40, RGB(90, 90, 90));
    drawInto(empty, menu);
    drawExpectedText(emptyExpected, kMenuBox, "", kWhiteColor);
    EXPECT_TRUE(empty.samePixels(emptyExpected));

    menu.addEntry("Marimba");
    menu.addEntry("Bell");
    menu.setCurrent(1);
    MemorySurface shown(120, 40, RGB(90, 90, 90));
    MemorySurface expected(120, 40, RGB(90, 90, 90));
    drawInto(shown, menu);
    drawExpectedText(expected, kMenuBox, "Bell", kWhiteColor);
    EXPECT_TRUE(shown.samePixels(expected));
}

TEST_F(OptionMenuPopup, AChoiceWithTheMouseBecomesCurrentAndIsTold) {
    OptionMenu* menu = addMenu(CheckCurrentEntry);
    InputScript script;
    script.clickAt(window.window(), 50, 20).chooseMenuItem(2).perform();
    EXPECT_EQ(menu->getCurrent(), 2);
    ASSERT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(listener.tags[0], 6);
    EXPECT_EQ(menu->getMenu(), nullptr);
    EXPECT_EQ(window.frame->getFocusView(), nullptr);

    EXPECT_EQ(script.checkedItems, (std::vector<bool>{true, false, false, false}));
    const POINT origin = screenOrigin();
    EXPECT_EQ(script.popupRect.left, origin.x + kMenuBox.left);
    EXPECT_EQ(script.popupRect.top, origin.y + kMenuBox.bottom) << "below the control";
}

TEST_F(OptionMenuPopup, ADismissedPopupTellsNobodyAndPaintsOverTheOpenPicture) {
    auto* open = new Bitmap(kOpenPicture);
    OptionMenu* menu = addMenu(MenuAtTop, open);
    open->forget();
    menu->setCurrent(3);
    window.paint();
    InputScript script;
    script.watchPixel(window.window(), 106, 12).clickAt(window.window(), 50, 20).dismissMenu().perform();
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(menu->getCurrent(), 3);
    EXPECT_EQ(script.pixelWhileOpen, kOpenColour);
    EXPECT_EQ(window.pixel(106, 12), RGB(0, 0, 0));
    EXPECT_EQ(script.checkedItems, (std::vector<bool>{false, false, false, false})) << "no check marks by default";
    EXPECT_EQ(script.popupRect.top, screenOrigin().y + kMenuBox.top) << "at the control's top";
}

TEST_F(OptionMenuPopup, RightShiftOrMiddleClicksAndRefusedMouseOpenNoPopup) {
    OptionMenu* menu = addMenu(0);
    DrawContext context(window.frame, nullptr, window.window());
    const Point inside(50, 20);
    auto pressOpensPopup = [&](DWORD button, std::vector<WORD> keys) {
        PopupWatch watch;
        {
            HeldInput held(button, std::move(keys));
            menu->onMouseDown(context, inside);
        }
        return watch.sawPopup();
    };
    EXPECT_FALSE(pressOpensPopup(MOUSEEVENTF_RIGHTDOWN, {}));
    EXPECT_FALSE(pressOpensPopup(MOUSEEVENTF_LEFTDOWN, {VK_SHIFT}));
    EXPECT_FALSE(pressOpensPopup(MOUSEEVENTF_MIDDLEDOWN, {}));
    menu->setAcceptsMouse(false);
    EXPECT_FALSE(pressOpensPopup(MOUSEEVENTF_LEFTDOWN, {}));
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(menu->getCurrent(), 0);
}
