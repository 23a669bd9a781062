#include <gtest/gtest.h>

#include <string>

#include "tests/resources/BmpImage.h"

namespace {

struct PictureFormat {
    const char* file;
    int width;
    int height;
    uint32_t imageBytes;
};

std::string pictureName(const ::testing::TestParamInfo<PictureFormat>& picture) {
    const std::string file = picture.param.file;
    return file.substr(0, file.find('.'));
}

class BitmapFormatTest : public ::testing::TestWithParam<PictureFormat> {
protected:
    void SetUp() override { ASSERT_TRUE(readBmp(resourcePath(GetParam().file), image)) << GetParam().file; }
    BmpImage image;
};

TEST_P(BitmapFormatTest, HeadersDescribeAnUncompressed24BitPictureWithoutPalette) {
    EXPECT_EQ(image.magic[0], 'B');
    EXPECT_EQ(image.magic[1], 'M');
    EXPECT_EQ(image.infoSize, 40u);
    EXPECT_EQ(image.planes, 1);
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_EQ(image.compression, 0u);
    EXPECT_EQ(image.coloursUsed, 0u);
    EXPECT_EQ(image.pixelOffset, 14u + 40u);
}

TEST_P(BitmapFormatTest, HasTheSizeTheEditorLaysOut) {
    EXPECT_EQ(image.width, GetParam().width);
    // Positive height: rows bottom-up, as the resource loader expects.
    EXPECT_EQ(image.height, GetParam().height);
}

TEST_P(BitmapFormatTest, FileHoldsHeadersAndPaddedRowsExactly) {
    const uint32_t paddedRowBytes = (static_cast<uint32_t>(GetParam().width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(paddedRowBytes * static_cast<uint32_t>(GetParam().height), GetParam().imageBytes);
    EXPECT_EQ(image.bytesOnDisk, 54u + GetParam().imageBytes);
    EXPECT_EQ(image.fileSize, image.bytesOnDisk);
    EXPECT_TRUE(image.imageSize == GetParam().imageBytes || image.imageSize == 0u) << image.imageSize;
    EXPECT_FALSE(image.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(EditorPictures, BitmapFormatTest,
                         ::testing::Values(PictureFormat{"about.bmp", 413, 197, 244280},
                                           PictureFormat{"switch.bmp", 16, 32, 1536},
                                           PictureFormat{"knob.bmp", 36, 4608, 497664},
                                           PictureFormat{"background.bmp", 413, 197, 244280}),
                         pictureName);

TEST(BackgroundBitmapFormat, LeavesTheImageSizeFieldZero) {
    BmpImage image;
    ASSERT_TRUE(readBmp(resourcePath("background.bmp"), image));
    EXPECT_EQ(image.imageSize, 0u);
}

}  // namespace
