// Bounds-checked big-endian reading over a byte range. Every read past the
// end fails and leaves the reader failed, so a parser checks once per step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vsthost {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : data(bytes) {}

    bool failed() const { return broken; }
    bool atEnd() const { return position >= data.size(); }
    size_t remaining() const { return data.size() - position; }

    uint8_t peek() const { return atEnd() ? 0 : data[position]; }
    uint8_t byte();
    uint32_t bigEndian(int byteCount);
    // MIDI variable-length quantity: 7 bits per byte, at most four bytes.
    uint32_t variableLength();
    std::span<const uint8_t> take(size_t count);
    void skip(size_t count) { take(count); }

private:
    std::span<const uint8_t> data;
    size_t position = 0;
    bool broken = false;
};

}  // namespace vsthost
