// A picture held in the client as 0x00RRGGBB pixels, rows from the top, so
// one picture serves every connection; and its transparency mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct X11Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<uint32_t[]> pixels;
};

// Decodes a BMP file of 24 or 32 bits per pixel without compression, rows
// bottom first or top first; null for anything else or when memory runs out.
X11Picture* decodeBmp(const unsigned char* bytes, size_t size);
// 1 where the picture is not of the key colour: a mask whose pixels are 0
// or 1 in the same layout.
X11Picture* opaqueMask(const X11Picture& picture, uint32_t keyColour);
