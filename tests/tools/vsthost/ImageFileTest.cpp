#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "tools/vsthost/ImageFile.h"

namespace vsthost {
namespace {

uint32_t little32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

// The file decoded again by stb_image: RGB rows from the top, or nothing.
RgbImage decoded(const std::vector<uint8_t>& file) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &channels, 3);
    RgbImage image;
    if (pixels == nullptr) return image;
    image = RgbImage(w, h);
    std::copy(pixels, pixels + image.pixels.size(), image.pixels.begin());
    stbi_image_free(pixels);
    return image;
}

// A picture whose every pixel tells where it is.
RgbImage gradient(int w, int h) {
    RgbImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* pixel = &image.pixels[(static_cast<size_t>(y) * w + x) * 3];
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = static_cast<uint8_t>(x * 7 + y * 3);
        }
    return image;
}

TEST(ImageFile, BmpIsTwentyFourBitBottomUpWithPaddedRows) {
    const RgbImage image = gradient(3, 2);
    const auto bmp = encodeBmp(image);
    const uint32_t rowBytes = 12;  // 9 bytes of pixels padded to a multiple of 4
    ASSERT_EQ(bmp.size(), 54u + rowBytes * 2);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(little32(bmp, 2), bmp.size());
    EXPECT_EQ(little32(bmp, 10), 54u);
    EXPECT_EQ(little32(bmp, 14), 40u);
    EXPECT_EQ(little32(bmp, 18), 3u);
    EXPECT_EQ(little32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(little32(bmp, 30), 0u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const size_t stored = 54 + static_cast<size_t>(1 - y) * rowBytes + static_cast<size_t>(x) * 3;
            const uint8_t* rgb = &image.pixels[(static_cast<size_t>(y) * 3 + x) * 3];
            EXPECT_EQ(bmp[stored + 0], rgb[2]);
            EXPECT_EQ(bmp[stored + 1], rgb[1]);
            EXPECT_EQ(bmp[stored + 2], rgb[0]);
        }
    EXPECT_TRUE(decoded(bmp).pixels == image.pixels);
}

TEST(ImageFile, PngHoldsTheExactPixelsCompressed) {
    const RgbImage image = gradient(200, 150);
    const auto png = encodePng(image);
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), signature.size());
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    // Smooth gradients like the editor's panel shrink well; stored blocks would be larger than the pixels.
    EXPECT_LT(png.size(), image.pixels.size() / 2);
    const RgbImage back = decoded(png);
    EXPECT_EQ(back.width, 200);
    EXPECT_EQ(back.height, 150);
    EXPECT_TRUE(back.pixels == image.pixels);
}

TEST(ImageFile, NothingIsEncodedFromAPictureWithoutPixels) {
    EXPECT_TRUE(encodePng(RgbImage()).empty());
    EXPECT_TRUE(encodeBmp(RgbImage()).empty());
}

TEST(ImageFile, SaveChoosesTheFormatFromTheName) {
    const RgbImage image = gradient(4, 4);
    const std::string png = ::testing::TempDir() + "vsthost_image_test.PNG";
    const std::string bmp = ::testing::TempDir() + "vsthost_image_test.bmp";
    ASSERT_TRUE(saveImage(image, png));
    ASSERT_TRUE(saveImage(image, bmp));
    char first[2] = {};
    std::FILE* file = std::fopen(png.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fread(first, 1, 2, file), 2u);
    std::fclose(file);
    EXPECT_EQ(first[1], 'P');
    file = std::fopen(bmp.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fread(first, 1, 2, file), 2u);
    std::fclose(file);
    EXPECT_EQ(first[0], 'B');
    std::remove(png.c_str());
    std::remove(bmp.c_str());
    EXPECT_FALSE(saveImage(image, ::testing::TempDir() + "no/such/folder/x.png"));
}

}  // namespace
}  // namespace vsthost
