#include "gui/x11/X11Picture.h"

#include <cstdlib>
#include <new>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr int32_t kLargestSide = 32768;

uint32_t readU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t readU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

X11Picture* blankPicture(int32_t width, int32_t height) {
    auto* picture = new (std::nothrow) X11Picture;
    if (!picture) return nullptr;
    picture->pixels.reset(new (std::nothrow) uint32_t[static_cast<size_t>(width) * static_cast<size_t>(height)]);
    if (!picture->pixels) {
        delete picture;
        return nullptr;
    }
    picture->width = width;
    picture->height = height;
    return picture;
}

}  // namespace

X11Picture* decodeBmp(const unsigned char* bytes, size_t size) {
    if (!bytes || size < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
    const unsigned char* info = bytes + kFileHeaderSize;
    const auto width = static_cast<int32_t>(readU32(info + 4));
    const auto storedHeight = static_cast<int32_t>(readU32(info + 8));
    const uint16_t bits = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    const int32_t height = std::abs(storedHeight);
    if (readU32(info) < kInfoHeaderSize || (bits != 24 && bits != 32) || compression != 0 || width <= 0 ||
        height <= 0 || width > kLargestSide || height > kLargestSide) {
        return nullptr;
    }
    const size_t bytesPerPixel = bits / 8u;
    const size_t rowSize = (static_cast<size_t>(width) * bytesPerPixel + 3u) / 4u * 4u;
    const size_t offset = readU32(bytes + 10);
    if (offset > size || rowSize * static_cast<size_t>(height) > size - offset) return nullptr;
    X11Picture* picture = blankPicture(width, height);
    if (!picture) return nullptr;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t stored = storedHeight > 0 ? height - 1 - y : y;  // positive heights keep the bottom row first
        const unsigned char* row = bytes + offset + rowSize * static_cast<size_t>(stored);
        uint32_t* out = picture->pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            const unsigned char* bgr = row + static_cast<size_t>(x) * bytesPerPixel;
            out[x] = static_cast<uint32_t>(bgr[2]) << 16 | static_cast<uint32_t>(bgr[1]) << 8 | bgr[0];
        }
    }
    return picture;
}

X11Picture* opaqueMask(const X11Picture& picture, uint32_t keyColour) {
    X11Picture* mask = blankPicture(picture.width, picture.height);
    if (!mask) return nullptr;
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    for (size_t i = 0; i < count; ++i) mask->pixels[i] = picture.pixels[i] != keyColour ? 1u : 0u;
    return mask;
}
