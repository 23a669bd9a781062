#include "tools/vsthost/ImageFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace vsthost {
namespace {

void putLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void putBig(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> body) {
    putBig(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBig(out, crc32(std::span(out).subspan(start)));
}

// A zlib stream of stored blocks: no compression, at most 65535 bytes each.
std::vector<uint8_t> storedZlib(std::span<const uint8_t> data) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(data.size() - offset, 65535);
        const bool last = offset + length == data.size();
        out.push_back(last ? 1 : 0);
        putLittle(out, static_cast<uint32_t>(length), 2);
        putLittle(out, static_cast<uint32_t>(~length & 0xFFFFu), 2);
        out.insert(out.end(), data.begin() + static_cast<ptrdiff_t>(offset),
                   data.begin() + static_cast<ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < data.size());
    putBig(out, adler32(data));
    return out;
}

bool endsWithPng(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".png";
}

}  // namespace

uint32_t crc32(std::span<const uint8_t> bytes) {
    static const auto table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t adler32(std::span<const uint8_t> bytes) {
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> encodeBmp(const RgbImage& image) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;  // rows padded to 4 bytes
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out = {'B', 'M'};
    putLittle(out, 14 + 40 + pixelBytes, 4);
    putLittle(out, 0, 4);
    putLittle(out, 14 + 40, 4);
    putLittle(out, 40, 4);
    putLittle(out, static_cast<uint32_t>(image.width), 4);
    putLittle(out, static_cast<uint32_t>(image.height), 4);  // positive: rows stored bottom up
    putLittle(out, 1, 2);
    putLittle(out, 24, 2);
    putLittle(out, 0, 4);  // no compression
    putLittle(out, pixelBytes, 4);
    putLittle(out, 2835, 4);  // 72 dots per inch
    putLittle(out, 2835, 4);
    putLittle(out, 0, 4);
    putLittle(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width) * 3;
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* pixel = row + x * 3;
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0]});
        }
        out.resize(out.size() + (rowBytes - static_cast<uint32_t>(image.width) * 3), 0);
    }
    return out;
}

std::vector<uint8_t> encodePng(const RgbImage& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig(header, static_cast<uint32_t>(image.width));
    putBig(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, no interlace
    putChunk(out, "IHDR", header);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // no filter
        const auto row = image.pixels.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * rowBytes);
        raw.insert(raw.end(), row, row + static_cast<ptrdiff_t>(rowBytes));
    }
    putChunk(out, "IDAT", storedZlib(raw));
    putChunk(out, "IEND", {});
    return out;
}

bool saveImage(const RgbImage& image, const std::string& path) {
    const auto bytes = endsWithPng(path) ? encodePng(image) : encodeBmp(image);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && written;
}

}  // namespace vsthost
