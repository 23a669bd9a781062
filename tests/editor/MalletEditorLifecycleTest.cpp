// Opening, closing and reopening the editor: which pictures live how long,
// the window class, and what is left when the plug-in goes while it is open.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "LocalPlugin.h"
#include "controls/Control.h"
#include "gui/Bitmap.h"
#include "gui/Frame.h"

namespace {

// Holds an extra reference on a picture, so its count can be read after the
// editor let go of it.
class PictureWatch {
public:
    explicit PictureWatch(Bitmap* watched) : picture(watched) { picture->remember(); }
    ~PictureWatch() { picture->forget(); }
    PictureWatch(const PictureWatch&) = delete;
    PictureWatch& operator=(const PictureWatch&) = delete;
    int othersHolding() const { return picture->getRefCount() - 1; }

private:
    Bitmap* picture;
};

bool hasChildWindow(HWND window) { return GetWindow(window, GW_CHILD) != nullptr; }

}  // namespace

TEST(MalletEditorLifecycle, OneBackgroundForLifeOtherPicturesOnlyWhileOpen) {
    LocalPlugin plugin;
    MalletEditor& editor = *plugin.editor();
    Bitmap* background = editor.getBackgroundImage();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->getRefCount(), 1);
    EXPECT_EQ(editor.getKnobStrip(), nullptr);

    for (int opening = 0; opening < 3; ++opening) {
        ASSERT_EQ(plugin.open(), 1);
        EXPECT_EQ(editor.getBackgroundImage(), background);
        EXPECT_EQ(background->getRefCount(), 2) << "editor and frame";
        PictureWatch strip(editor.getKnobStrip());
        PictureWatch lamp(editor.getSwitchImage());
        PictureWatch about(editor.getSplashImage());
        EXPECT_EQ(strip.othersHolding(), 1 + 18);
        EXPECT_EQ(lamp.othersHolding(), 1 + 1);
        EXPECT_EQ(about.othersHolding(), 1 + 1);

        plugin.close();
        EXPECT_EQ(strip.othersHolding(), 0);
        EXPECT_EQ(lamp.othersHolding(), 0);
        EXPECT_EQ(about.othersHolding(), 0);
        EXPECT_EQ(background->getRefCount(), 1);
        EXPECT_EQ(editor.getKnobStrip(), nullptr);
        EXPECT_EQ(editor.getControl(0), nullptr);
        EXPECT_EQ(Frame::getClassUseCount(), 0);
    }
}

TEST(MalletEditorLifecycle, OpeningAgainWithoutClosingMovesTheEditorToTheNewWindow) {
    LocalPlugin plugin;
    ASSERT_EQ(plugin.open(), 1);
    HWND second = newHostWindow();
    ASSERT_EQ(plugin.editor()->editOpen(second), 1);
    EXPECT_FALSE(hasChildWindow(plugin.hostWindow()));
    EXPECT_TRUE(hasChildWindow(second));
    EXPECT_EQ(Frame::getClassUseCount(), 1);
    plugin.editor()->editClose();
    DestroyWindow(second);
}

TEST(MalletEditorLifecycle, PluginDestroyedWhileOpenTakesItsWindowAndClassAlong) {
    auto plugin = std::make_unique<LocalPlugin>();
    ASSERT_EQ(plugin->open(), 1);
    HWND host = plugin->hostWindow();
    Bitmap* background = plugin->editor()->getBackgroundImage();
    PictureWatch watch(background);
    plugin->synth.reset();
    EXPECT_FALSE(hasChildWindow(host));
    EXPECT_EQ(Frame::getClassUseCount(), 0);
    EXPECT_EQ(watch.othersHolding(), 0);
}
