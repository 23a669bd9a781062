// The pictures a program or plug-in carries, by id, as the BMP files the
// Windows builds compile into resources. A generated source registers each
// program's table (see cmake/EmbedPictures.cmake); lookups search them all.
#pragma once

#include <cstddef>
#include <cstdint>

struct PictureResource {
    int32_t id;
    const unsigned char* bytes;  // a whole BMP file
    size_t size;
};

class PictureTable {
public:
    PictureTable(const PictureResource* resources, size_t count);
    PictureTable(const PictureTable&) = delete;
    PictureTable& operator=(const PictureTable&) = delete;

    // Null when no table has the id.
    static const PictureResource* find(int32_t id);

private:
    const PictureResource* entries;
    size_t entryCount;
    PictureTable* next;
};
