// Pictures of the editor as files: compressed PNG or 24-bit BMP, both written
// by stb_image_write (Debian's libstb-dev, header only, so every build has it).
#pragma once

#include <cstdint>
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

// Empty when the picture cannot be encoded.
std::vector<uint8_t> encodeBmp(const RgbImage& image);
std::vector<uint8_t> encodePng(const RgbImage& image);

// PNG when the name ends in ".png" (any case), BMP otherwise.
bool saveImage(const RgbImage& image, const std::string& path);

}  // namespace vsthost
