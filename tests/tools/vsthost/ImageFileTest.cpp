#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/vsthost/ImageFile.h"

namespace vsthost {
namespace {

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

uint32_t little32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}
uint32_t big32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 | bytes.at(at + 2) << 8 | bytes.at(at + 3);
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

TEST(ImageFile, ChecksumsMatchTheirPublishedCheckValues) {
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32(bytesOf("IEND")), 0xAE426082u);
    EXPECT_EQ(adler32(bytesOf("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(adler32({}), 1u);
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
}

struct PngChunk {
    std::string type;
    std::vector<uint8_t> body;
};

// Splits a PNG into chunks, checking each chunk's CRC on the way.
std::vector<PngChunk> chunksOf(const std::vector<uint8_t>& png) {
    std::vector<PngChunk> chunks;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = big32(png, at);
        const auto start = png.begin() + static_cast<ptrdiff_t>(at);
        PngChunk chunk{std::string(start + 4, start + 8), std::vector<uint8_t>(start + 8, start + 8 + length)};
        EXPECT_EQ(crc32(std::span(png).subspan(at + 4, length + 4)), big32(png, at + 8 + length)) << chunk.type;
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// Undoes a zlib stream made of stored blocks.
std::vector<uint8_t> unstore(const std::vector<uint8_t>& zlib) {
    std::vector<uint8_t> data;
    size_t at = 2;
    for (bool last = false; !last && at + 5 <= zlib.size();) {
        last = (zlib[at] & 1) != 0;
        EXPECT_EQ(zlib[at] & 6, 0) << "only stored blocks are expected";
        const size_t length = zlib[at + 1] | zlib[at + 2] << 8;
        EXPECT_EQ(length ^ 0xFFFFu, static_cast<size_t>(zlib[at + 3] | zlib[at + 4] << 8));
        data.insert(data.end(), zlib.begin() + static_cast<ptrdiff_t>(at + 5),
                    zlib.begin() + static_cast<ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    EXPECT_EQ(big32(zlib, at), adler32(data));
    return data;
}

TEST(ImageFile, PngHoldsTheExactPixelsInValidChunks) {
    const RgbImage image = gradient(200, 150);  // more than one stored block of 65535 bytes
    const auto png = encodePng(image);
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    const auto chunks = chunksOf(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(big32(chunks[0].body, 0), 200u);
    EXPECT_EQ(big32(chunks[0].body, 4), 150u);
    EXPECT_EQ(chunks[0].body[8], 8);
    EXPECT_EQ(chunks[0].body[9], 2);
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    const auto raw = unstore(chunks[1].body);
    ASSERT_EQ(raw.size(), 150u * (1 + 200 * 3));
    for (int y = 0; y < 150; ++y) {
        const auto row = raw.begin() + y * (1 + 600);
        EXPECT_EQ(row[0], 0) << "row " << y;
        EXPECT_TRUE(std::equal(row + 1, row + 601, image.pixels.begin() + y * 600)) << "row " << y;
    }
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
