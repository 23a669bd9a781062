// Builds Standard MIDI File bytes by hand for the reader's tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vsthost::test {

using Bytes = std::vector<uint8_t>;

inline void append(Bytes& out, std::initializer_list<uint8_t> bytes) { out.insert(out.end(), bytes); }

inline void appendBig32(Bytes& out, uint32_t value) {
    append(out, {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                 static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
}

inline Bytes header(uint16_t format, uint16_t tracks, uint16_t division) {
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    append(out, {static_cast<uint8_t>(format >> 8), static_cast<uint8_t>(format),
                 static_cast<uint8_t>(tracks >> 8), static_cast<uint8_t>(tracks),
                 static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division)});
    return out;
}

// A track chunk around the given event bytes, which include their delta times.
inline void appendTrack(Bytes& out, const Bytes& events) {
    append(out, {'M', 'T', 'r', 'k'});
    appendBig32(out, static_cast<uint32_t>(events.size()));
    out.insert(out.end(), events.begin(), events.end());
}

inline Bytes fileWithTrack(uint16_t division, const Bytes& events) {
    Bytes out = header(0, 1, division);
    appendTrack(out, events);
    return out;
}

}  // namespace vsthost::test
