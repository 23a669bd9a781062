#include "tools/vsthost/ByteReader.h"

namespace vsthost {

uint8_t ByteReader::byte() {
    if (atEnd()) {
        broken = true;
        return 0;
    }
    return data[position++];
}

uint32_t ByteReader::bigEndian(int byteCount) {
    uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i) value = (value << 8) | byte();
    return value;
}

uint32_t ByteReader::variableLength() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const uint8_t next = byte();
        value = (value << 7) | (next & 0x7Fu);
        if ((next & 0x80u) == 0) return value;
    }
    broken = true;
    return 0;
}

std::span<const uint8_t> ByteReader::take(size_t count) {
    if (count > remaining()) {
        broken = true;
        position = data.size();
        return {};
    }
    auto part = data.subspan(position, count);
    position += count;
    return part;
}

}  // namespace vsthost
