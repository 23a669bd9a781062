#include <gtest/gtest.h>

#include "tests/resources/BmpImage.h"
#include "tests/resources/PanelLayout.h"
#include "tests/resources/PictureProbes.h"

namespace {

// A stroke of printed text differs from the panel by far more than shading does.
constexpr int kInkThreshold = 60;

class PanelPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(readBmp(resourcePath("background.bmp"), panel));
        ASSERT_TRUE(readBmp(resourcePath("knob.bmp"), knobs));
        ASSERT_TRUE(readBmp(resourcePath("switch.bmp"), lamp));
        ASSERT_TRUE(readBmp(resourcePath("about.bmp"), about));
        for (const BmpImage* image : {&panel, &knobs, &lamp, &about}) {
            ASSERT_FALSE(image->pixels.empty());
        }
        ASSERT_EQ(panel.width, kPanelWidth);
        ASSERT_EQ(panel.height, kPanelHeight);
        siteColour = panel.at(kKnobSpots[0].x, kKnobSpots[0].y);
    }

    int inkIn(const PanelArea& area) const { return countDiffering(panel, area, siteColour, kInkThreshold); }

    BmpImage panel;
    BmpImage knobs;
    BmpImage lamp;
    BmpImage about;
    Rgb siteColour{};
};

TEST_F(PanelPictureTest, NothingIsPrintedWhereAKnobOrTheLampCoversThePanel) {
    for (std::size_t tag = 0; tag < kKnobSpots.size(); ++tag) {
        const PanelSpot s = kKnobSpots[tag];
        EXPECT_EQ(countDiffering(panel, {s.x, s.y, s.x + kKnobSize, s.y + kKnobSize}, siteColour, 3), 0)
            << "knob tag " << tag;
    }
    const PanelSpot s = kLampSpot;
    EXPECT_EQ(countDiffering(panel, {s.x, s.y, s.x + kLampSize, s.y + kLampSize}, siteColour, 3), 0);
}

TEST_F(PanelPictureTest, KnobAndLampEdgesBlendIntoThePanelWhereTheySit) {
    // Both are copied opaquely, so their edge colour must be the panel's there.
    EXPECT_LE(knobs.at(0, 0).distanceTo(siteColour), 3);
    EXPECT_LE(knobs.at(kKnobSize - 1, kKnobSize - 1).distanceTo(siteColour), 3);
    EXPECT_LE(lamp.at(0, 0).distanceTo(siteColour), 3);
    EXPECT_LE(lamp.at(kLampSize - 1, 2 * kLampSize - 1).distanceTo(siteColour), 3);
}

TEST_F(PanelPictureTest, EveryLabelledKnobHasTextJustAboveIt) {
    // Knob labels, and the column heads over the first row of each resonator block.
    for (std::size_t tag = 0; tag < kKnobSpots.size(); ++tag) {
        const PanelSpot s = kKnobSpots[tag];
        const bool secondResonatorRow = s.y == 94;
        const int ink = inkIn({s.x + 2, s.y - 14, s.x + kKnobSize - 2, s.y - 2});
        if (secondResonatorRow) {
            EXPECT_EQ(ink, 0) << "row 2/4 knob tag " << tag << " sits right under row 1/3";
        } else {
            EXPECT_GE(ink, 15) << "no label above knob tag " << tag;
        }
    }
}

TEST_F(PanelPictureTest, ResonatorRowsAreNumberedBesideTheirFirstKnob) {
    // Left block rows 1 and 2, right block rows 3 and 4: tags 4, 5, 6, 7.
    for (std::size_t tag = 4; tag <= 7; ++tag) {
        const PanelSpot s = kKnobSpots[tag];
        EXPECT_GE(inkIn({s.x - 20, s.y + 10, s.x - 4, s.y + 26}), 10) << "row of tag " << tag;
    }
}

TEST_F(PanelPictureTest, GroupTitlesSitAboveTheirGroups) {
    EXPECT_GE(inkIn({16, 16, 128, 36}), 30) << "title over the first three knobs";
    EXPECT_GE(inkIn({16, 96, 128, 112}), 15) << "title over the vibrato knobs";
    EXPECT_GE(inkIn({152, 16, 398, 36}), 50) << "title over the resonators";
}

TEST_F(PanelPictureTest, SwitchIsLabelledToItsRight) {
    const PanelSpot s = kLampSpot;
    EXPECT_GE(inkIn({s.x + kLampSize + 2, s.y, s.x + kLampSize + 70, s.y + kLampSize}), 40);
}

TEST_F(PanelPictureTest, LogoFillsTheAboutClickArea) {
    EXPECT_GE(inkIn(kAboutArea), 150);
}

TEST_F(PanelPictureTest, AboutPictureDiffersClearlyFromThePanelItCovers) {
    int changed = 0;
    for (int y = 0; y < kPanelHeight; ++y) {
        for (int x = 0; x < kPanelWidth; ++x) {
            changed += about.at(x, y).distanceTo(panel.at(x, y)) > kInkThreshold;
        }
    }
    EXPECT_GE(changed, kPanelWidth * kPanelHeight / 20);
    // Its logo, title and credits read as text across the middle of the picture.
    EXPECT_GE(countDiffering(about, {60, 30, 353, 95}, siteColour, kInkThreshold), 600);
    EXPECT_GE(countDiffering(about, {60, 150, 353, 170}, siteColour, kInkThreshold), 100);
}

}  // namespace
