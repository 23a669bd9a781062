#include "tools/vsthost/ImageFile.h"

#include <stb/stb_image_write.h>

#include <cctype>

#include "tools/vsthost/FileBytes.h"

namespace vsthost {
namespace {

void append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool fits(const RgbImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3;
}

bool endsWithPng(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".png";
}

}  // namespace

std::vector<uint8_t> encodeBmp(const RgbImage& image) {
    std::vector<uint8_t> out;
    if (!fits(image) || stbi_write_bmp_to_func(append, &out, image.width, image.height, 3, image.pixels.data()) == 0)
        out.clear();
    return out;
}

std::vector<uint8_t> encodePng(const RgbImage& image) {
    std::vector<uint8_t> out;
    if (!fits(image) ||
        stbi_write_png_to_func(append, &out, image.width, image.height, 3, image.pixels.data(), image.width * 3) == 0)
        out.clear();
    return out;
}

bool saveImage(const RgbImage& image, const std::string& path) {
    const auto bytes = endsWithPng(path) ? encodePng(image) : encodeBmp(image);
    return !bytes.empty() && writeFileBytes(path, bytes);
}

}  // namespace vsthost
