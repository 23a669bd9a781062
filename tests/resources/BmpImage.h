// Reads a Windows BMP file as it lies on disk: both headers field by field, and
// for 24-bit pictures the pixels, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int red;
    int green;
    int blue;

    int luminance() const { return (299 * red + 587 * green + 114 * blue) / 1000; }
    int distanceTo(const Rgb& other) const;  // largest channel difference
};

struct BmpImage {
    std::size_t bytesOnDisk = 0;
    char magic[2] = {0, 0};
    uint32_t fileSize = 0;
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t coloursUsed = 0;
    std::vector<Rgb> pixels;  // empty unless an uncompressed 24-bit picture was read whole

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Picture files live in the source tree's resources/ folder.
std::string resourcePath(const std::string& fileName);

// False when the file cannot be opened or is shorter than its headers.
bool readBmp(const std::string& path, BmpImage& image);
