#include <gtest/gtest.h>

#include <algorithm>

#include "tests/resources/BmpImage.h"
#include "tests/resources/PanelLayout.h"
#include "tests/resources/PictureProbes.h"

namespace {

class SwitchPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(readBmp(resourcePath("switch.bmp"), picture));
        ASSERT_EQ(picture.width, kLampSize);
        ASSERT_EQ(picture.height, 2 * kLampSize);
        ASSERT_FALSE(picture.pixels.empty());
    }

    // Top image: value 0; the image below it: value 1.
    Rgb lamp(bool lit, int x, int y) const { return picture.at(x, y + (lit ? kLampSize : 0)); }

    int strongRedPixels(bool lit) const {
        int count = 0;
        for (int y = 0; y < kLampSize; ++y) {
            for (int x = 0; x < kLampSize; ++x) {
                const Rgb p = lamp(lit, x, y);
                count += p.red >= 180 && p.red > 2 * p.green && p.red > 2 * p.blue;
            }
        }
        return count;
    }

    BmpImage picture;
};

TEST_F(SwitchPictureTest, LitLampBelowGlowsRedAndUnlitLampAboveDoesNot) {
    EXPECT_GE(strongRedPixels(true), 20);
    EXPECT_EQ(strongRedPixels(false), 0);
}

TEST_F(SwitchPictureTest, TheTwoStatesDifferOverMuchOfTheLamp) {
    int changed = 0;
    for (int y = 0; y < kLampSize; ++y) {
        for (int x = 0; x < kLampSize; ++x) {
            changed += lamp(false, x, y).distanceTo(lamp(true, x, y)) > 60;
        }
    }
    EXPECT_GE(changed, kLampSize * kLampSize / 5);
}

TEST_F(SwitchPictureTest, UnlitLampIsStillAVisibleLamp) {
    int darkest = 255;
    int brightest = 0;
    for (int y = 0; y < kLampSize; ++y) {
        for (int x = 0; x < kLampSize; ++x) {
            darkest = std::min(darkest, lamp(false, x, y).luminance());
            brightest = std::max(brightest, lamp(false, x, y).luminance());
        }
    }
    EXPECT_GT(brightest - darkest, 60);
}

TEST_F(SwitchPictureTest, BothStatesShareTheEdgeThatMeetsThePanel) {
    const Rgb corner = lamp(false, 0, 0);
    for (bool lit : {false, true}) {
        int off = 0;
        forEachEdgePixel(0, 0, kLampSize, [&](int x, int y) { off += lamp(lit, x, y).distanceTo(corner) > 3; });
        EXPECT_EQ(off, 0) << (lit ? "lit" : "unlit");
    }
}

}  // namespace
