// Pictures of the editor as files: 24-bit BMP, and PNG written with stored
// (uncompressed) deflate blocks, which every viewer reads.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vsthost {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // red, green, blue; rows from the top

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 3) {}
};

std::vector<uint8_t> encodeBmp(const RgbImage& image);
std::vector<uint8_t> encodePng(const RgbImage& image);

uint32_t crc32(std::span<const uint8_t> bytes);
uint32_t adler32(std::span<const uint8_t> bytes);

// PNG when the name ends in ".png" (any case), BMP otherwise.
bool saveImage(const RgbImage& image, const std::string& path);

}  // namespace vsthost
