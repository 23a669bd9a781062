// Opening the editor when memory for a picture, the frame or any control runs
// out: the host is told 0 and nothing is left behind.
#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "GuiTestSupport.h"
#include "LocalPlugin.h"
#include "gui/Bitmap.h"
#include "gui/Frame.h"

TEST(MalletEditorOpenFailure, EveryMissingPieceGivesZeroAndLeavesNothingBehind) {
    LocalPlugin plugin;
    MalletEditor& editor = *plugin.editor();
    HWND host = newHostWindow();
    // A full opening first: the platform keeps some objects from the first use on.
    ASSERT_EQ(editor.editOpen(host), 1);
    editor.editClose();
    const int gdiBefore = gdiObjectCount();
    const int heapBefore = heapBlocksInUse();

    // No trace scope here: it would hold heap blocks of its own.
    int ordinal = 1;
    for (;; ++ordinal) {
        failing_allocation::failAt(ordinal);
        const int32_t opened = editor.editOpen(host);
        const bool reachedTheFailure = failing_allocation::counted() >= ordinal;
        failing_allocation::disarm();
        if (!reachedTheFailure) {
            EXPECT_EQ(opened, 1) << "nothing failed, yet it did not open";
            editor.editClose();
            break;
        }
        EXPECT_EQ(opened, 0) << ordinal;
        EXPECT_FALSE(editor.isOpen()) << ordinal;
        EXPECT_EQ(editor.getKnobStrip(), nullptr) << ordinal;
        EXPECT_EQ(editor.getBackgroundImage()->getRefCount(), 1) << ordinal;
        EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr) << ordinal;
        EXPECT_EQ(Frame::getClassUseCount(), 0) << ordinal;
        EXPECT_EQ(heapBlocksInUse(), heapBefore) << ordinal;
        EXPECT_EQ(gdiObjectCount(), gdiBefore) << ordinal;
    }
    // Three pictures, the frame, 18 knobs, the lamp and the logo area.
    EXPECT_GE(ordinal, 24);

    EXPECT_EQ(editor.editOpen(host), 1) << "a later opening with memory to spare works";
    editor.editClose();
    DestroyWindow(host);
}
