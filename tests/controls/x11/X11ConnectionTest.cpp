// Editors open and close connections all through a host's session, and the
// allocator hands a new connection the address of the one just closed. No
// library may carry anything of the closed one over to the new one.
#include <gtest/gtest.h>

#include <vector>

#include "gui/Fonts.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/XftFonts.h"

namespace {

// What an editor does with text: a font, a string drawn, both let go (Xft
// keeps the font in its cache until the connection closes).
void drawText(Display* display) {
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 20, 0, 0, 0);
    const FontEntry entry = fontEntry(kFontNormal);
    XftFont* font = openFont(display, entry, 12, entry.weight);
    ASSERT_NE(font, nullptr);
    const int screen = DefaultScreen(display);
    XftDraw* draw = XftDrawCreate(display, window, DefaultVisual(display, screen), DefaultColormap(display, screen));
    const XftColor ink = xftColor(0, kBlackColor);
    XftDrawString8(draw, &ink, font, 2, 14, reinterpret_cast<const FcChar8*>("ab"), 2);
    XftDrawDestroy(draw);
    XftFontClose(display, font);
    XDestroyWindow(display, window);
}

}  // namespace

TEST(X11Connection, ANewConnectionInheritsNothingFromTheOneClosedBeforeIt) {
    constexpr int kRounds = 20;
    std::vector<int> errors;
    int reusedAddresses = 0;
    const Display* previous = nullptr;
    for (int round = 0; round < kRounds; ++round) {
        X11Connection* connection = X11Connection::open();
        ASSERT_NE(connection, nullptr);
        if (connection->display() == previous) ++reusedAddresses;
        previous = connection->display();
        drawText(connection->display());
        connection->sync();
        errors.push_back(connection->errorCount());
        delete connection;
    }
    EXPECT_EQ(errors, std::vector<int>(kRounds, 0));
    // Sanitizers keep freed memory out of use, so only plain builds reuse it.
    RecordProperty("reused addresses", reusedAddresses);
}
