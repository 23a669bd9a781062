// vsthost's editor command on a plug-in whose editor paints known colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/tools/vsthost/ToolRun.h"

namespace vsthost {
namespace {

using test::readFile;
using test::little32;

struct Rgb {
    int r, g, b;
};

// A pixel of a 24-bit bottom-up BMP, counted from the top left.
Rgb pixelAt(const std::vector<uint8_t>& bmp, int x, int y) {
    const int width = static_cast<int>(little32(bmp, 18));
    const int height = static_cast<int>(little32(bmp, 22));
    const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t at = 54 + static_cast<size_t>(height - 1 - y) * row + static_cast<size_t>(x) * 3;
    return {bmp.at(at + 2), bmp.at(at + 1), bmp.at(at)};
}

TEST(EditorWindow, PictureIsTheEditorAtTheSizeItReportsOnceOpen) {
    const std::string bmp = ::testing::TempDir() + "vsthost_painting_editor.bmp";
    const auto run = test::runVsthost(std::string("editor \"") + PAINTING_PLUGIN_PATH + "\" -o \"" + bmp +
                                      "\" --seconds 1");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const auto bytes = readFile(bmp);
    std::remove(bmp.c_str());
    ASSERT_GE(bytes.size(), 54u);
    ASSERT_EQ(little32(bytes, 18), 120u);
    ASSERT_EQ(little32(bytes, 22), 80u);
    const struct {
        int x, y;
        Rgb colour;
    } quarters[] = {{10, 10, {255, 0, 0}}, {110, 10, {0, 255, 0}}, {10, 70, {0, 0, 255}}, {110, 70, {255, 255, 255}}};
    for (const auto& quarter : quarters) {
        const Rgb seen = pixelAt(bytes, quarter.x, quarter.y);
        EXPECT_EQ(seen.r, quarter.colour.r) << quarter.x << "," << quarter.y;
        EXPECT_EQ(seen.g, quarter.colour.g) << quarter.x << "," << quarter.y;
        EXPECT_EQ(seen.b, quarter.colour.b) << quarter.x << "," << quarter.y;
    }
}

TEST(EditorWindow, EditorIsIdledAboutThirtyTimesASecondOnItsOwnThread) {
    const std::string png = ::testing::TempDir() + "vsthost_painting_editor.png";
    const auto run = test::runVsthost(std::string("editor \"") + PAINTING_PLUGIN_PATH + "\" -o \"" + png +
                                      "\" --seconds 1");
    std::remove(png.c_str());
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    int idles = 0;
    ASSERT_EQ(std::sscanf(run.output.c_str() + run.output.find("reported"), "reported %d", &idles), 1) << run.output;
    EXPECT_GE(idles, 10);
    EXPECT_LE(idles, 45);
}

}  // namespace
}  // namespace vsthost
