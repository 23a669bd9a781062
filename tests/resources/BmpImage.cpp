#include "tests/resources/BmpImage.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

uint32_t little(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

void readPixels(const std::vector<unsigned char>& bytes, BmpImage& image) {
    if (image.bitsPerPixel != 24 || image.compression != 0 || image.width <= 0 || image.height <= 0) {
        return;
    }
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    if (image.pixelOffset + stride * image.height > bytes.size()) {
        return;
    }
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        // Rows are stored bottom-up, each pixel blue, green, red.
        const std::size_t row = image.pixelOffset + stride * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = row + 3 * static_cast<std::size_t>(x);
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = {bytes[at + 2], bytes[at + 1],
                                                                          bytes[at]};
        }
    }
}

}  // namespace

int Rgb::distanceTo(const Rgb& other) const {
    return std::max({std::abs(red - other.red), std::abs(green - other.green), std::abs(blue - other.blue)});
}

std::string resourcePath(const std::string& fileName) { return std::string(ZAV_RESOURCES_DIR) + "/" + fileName; }

bool readBmp(const std::string& path, BmpImage& image) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (bytes.size() < 54) {
        return false;
    }
    image.bytesOnDisk = bytes.size();
    image.magic[0] = static_cast<char>(bytes[0]);
    image.magic[1] = static_cast<char>(bytes[1]);
    image.fileSize = little(bytes, 2, 4);
    image.pixelOffset = little(bytes, 10, 4);
    image.infoSize = little(bytes, 14, 4);
    image.width = static_cast<int32_t>(little(bytes, 18, 4));
    image.height = static_cast<int32_t>(little(bytes, 22, 4));
    image.planes = static_cast<uint16_t>(little(bytes, 26, 2));
    image.bitsPerPixel = static_cast<uint16_t>(little(bytes, 28, 2));
    image.compression = little(bytes, 30, 4);
    image.imageSize = little(bytes, 34, 4);
    image.coloursUsed = little(bytes, 46, 4);
    readPixels(bytes, image);
    return true;
}
