#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/resources/BmpImage.h"
#include "tests/resources/PanelLayout.h"
#include "tests/resources/PictureProbes.h"

namespace {

constexpr double kSweepDegrees = 270.0;

class KnobStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(readBmp(resourcePath("knob.bmp"), strip));
        ASSERT_EQ(strip.width, kKnobSize);
        ASSERT_EQ(strip.height, kKnobSize * kKnobFrames);
        ASSERT_FALSE(strip.pixels.empty());
    }

    Rgb framePixel(int frame, int x, int y) const { return strip.at(x, frame * kKnobSize + y); }

    int frameDifference(int a, int b) const {
        int changed = 0;
        for (int y = 0; y < kKnobSize; ++y) {
            for (int x = 0; x < kKnobSize; ++x) {
                changed += framePixel(a, x, y).distanceTo(framePixel(b, x, y)) > 24 ? 1 : 0;
            }
        }
        return changed;
    }

    // The pointer is the brightest mark on the knob's face: take the pixels of the
    // inner disc within reach of the frame's maximum brightness and measure the
    // direction of their centroid, in degrees clockwise from straight up.
    bool pointerAngle(int frame, double& degrees, int& markPixels) const {
        const double centre = kKnobSize / 2.0;
        const double faceRadius = 12.0;
        int brightest = 0;
        forEachFacePixel(centre, faceRadius, [&](int x, int y) {
            brightest = std::max(brightest, framePixel(frame, x, y).luminance());
        });
        double sumX = 0;
        double sumY = 0;
        markPixels = 0;
        forEachFacePixel(centre, faceRadius, [&](int x, int y) {
            if (framePixel(frame, x, y).luminance() >= brightest - 40) {
                sumX += x + 0.5 - centre;
                sumY += centre - (y + 0.5);
                ++markPixels;
            }
        });
        if (markPixels == 0 || std::hypot(sumX, sumY) / markPixels < 2.0) {
            return false;
        }
        degrees = std::atan2(sumX, sumY) * 180.0 / std::numbers::pi;
        return true;
    }

    template <typename Visit>
    static void forEachFacePixel(double centre, double radius, Visit visit) {
        for (int y = 0; y < kKnobSize; ++y) {
            for (int x = 0; x < kKnobSize; ++x) {
                if (std::hypot(x + 0.5 - centre, y + 0.5 - centre) <= radius) {
                    visit(x, y);
                }
            }
        }
    }

    BmpImage strip;
};

TEST_F(KnobStripTest, PointerTurnsFromLowerLeftThroughTheTopToLowerRightInEveryFrame) {
    double previous = -180.0;
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        double angle = 0;
        int pixels = 0;
        ASSERT_TRUE(pointerAngle(frame, angle, pixels)) << "no readable pointer in frame " << frame;
        EXPECT_GE(pixels, 8) << "pointer too thin to read in frame " << frame;
        const double expected = -kSweepDegrees / 2.0 + kSweepDegrees * frame / (kKnobFrames - 1);
        EXPECT_NEAR(angle, expected, 8.0) << "frame " << frame;
        EXPECT_GT(angle, previous - 3.0) << "pointer turns back at frame " << frame;
        previous = angle;
    }
}

TEST_F(KnobStripTest, PointerStandsOutFromTheKnobFace) {
    for (int frame : {0, 40, 64, 100, 127}) {
        const double centre = kKnobSize / 2.0;
        const double angle = (-kSweepDegrees / 2.0 + kSweepDegrees * frame / (kKnobFrames - 1)) *
                             std::numbers::pi / 180.0;
        // On the pointer's line, and on the opposite side of the face.
        const int onX = static_cast<int>(centre + 7.0 * std::sin(angle));
        const int onY = static_cast<int>(centre - 7.0 * std::cos(angle));
        const int offX = static_cast<int>(centre - 7.0 * std::sin(angle));
        const int offY = static_cast<int>(centre + 7.0 * std::cos(angle));
        EXPECT_GT(framePixel(frame, onX, onY).luminance() - framePixel(frame, offX, offY).luminance(), 100)
            << "frame " << frame;
    }
}

TEST_F(KnobStripTest, NeighbouringFramesAreDistinctPictures) {
    for (int frame = 1; frame < kKnobFrames; ++frame) {
        EXPECT_GT(frameDifference(frame - 1, frame), 0) << "frames " << frame - 1 << " and " << frame;
    }
    EXPECT_GT(frameDifference(0, 127), 100);
    EXPECT_GT(frameDifference(0, 64), 100);
}

TEST_F(KnobStripTest, EveryFrameHasTheSameFlatEdgeToMeetThePanel) {
    const Rgb corner = framePixel(0, 0, 0);
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        int off = 0;
        forEachEdgePixel(0, 0, kKnobSize, [&](int x, int y) { off += framePixel(frame, x, y).distanceTo(corner) > 3; });
        EXPECT_EQ(off, 0) << "edge pixels off the panel colour in frame " << frame;
    }
}

}  // namespace
