#include "tools/vsthost/MidiFileReader.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/vsthost/ByteReader.h"
#include "tools/vsthost/FileBytes.h"

namespace vsthost {
namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 bpm
constexpr int64_t kLongestSongSeconds = 24 * 3600;
constexpr size_t kLargestFile = 64u << 20;

struct RawEvent {
    int64_t tick = 0;
    uint32_t tempo = 0;  // non-zero for a tempo change
    MidiMessage message;
};

// How ticks become time units: a fixed number per tick (SMPTE division) or
// the current tempo in microseconds per quarter note.
struct TimeBase {
    int64_t unitsPerSecond = 0;
    int64_t unitsPerTick = 0;  // 0: follow the tempo
};

bool readTimeBase(uint16_t division, TimeBase& base) {
    if ((division & 0x8000u) == 0) {
        if (division == 0) return false;
        base.unitsPerSecond = int64_t{division} * 1000000;
        return true;
    }
    const int framesPerSecond = -static_cast<int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (ticksPerFrame == 0) return false;
    if (framesPerSecond == 29) {  // 29.97 frames per second (drop frame)
        base.unitsPerSecond = int64_t{2997} * ticksPerFrame;
        base.unitsPerTick = 100;
        return true;
    }
    if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 30) return false;
    base.unitsPerSecond = int64_t{framesPerSecond} * ticksPerFrame;
    base.unitsPerTick = 1;
    return true;
}

int dataByteCount(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

class TrackParser {
public:
    TrackParser(std::span<const uint8_t> bytes, std::vector<RawEvent>& out) : reader(bytes), events(out) {}

    std::string parse() {
        while (!reader.atEnd()) {
            tick += reader.variableLength();
            if (reader.failed()) return "a delta time runs past the end of its track";
            const std::string error = event();
            if (!error.empty()) return error;
            if (ended) break;
        }
        return {};
    }

private:
    std::string event() {
        const uint8_t lead = reader.peek();
        if (lead == 0xFF) return meta();
        if (lead == 0xF0 || lead == 0xF7) {
            reader.byte();
            reader.skip(reader.variableLength());
            return reader.failed() ? "a system exclusive message is cut short" : "";
        }
        if (lead >= 0xF0) return "a system message that has no place in a MIDI file";
        if (lead >= 0x80) runningStatus = reader.byte();
        if (runningStatus == 0) return "a data byte comes before any status byte";
        return channelMessage();
    }

    std::string meta() {
        reader.byte();
        const uint8_t type = reader.byte();
        const auto body = reader.take(reader.variableLength());
        if (reader.failed()) return "a meta event is cut short";
        if (type == 0x2F) ended = true;
        if (type == 0x51 && body.size() == 3) {
            const uint32_t tempo = (uint32_t{body[0]} << 16) | (uint32_t{body[1]} << 8) | body[2];
            if (tempo != 0) events.push_back({tick, tempo, {}});
        }
        return {};
    }

    std::string channelMessage() {
        MidiMessage message;
        message.status = runningStatus;
        message.data1 = reader.byte();
        if (dataByteCount(runningStatus) == 2) message.data2 = reader.byte();
        if (reader.failed()) return "a channel message is cut short";
        if ((message.data1 | message.data2) & 0x80) return "a channel message has a status byte where data belongs";
        events.push_back({tick, 0, message});
        return {};
    }

    ByteReader reader;
    std::vector<RawEvent>& events;
    int64_t tick = 0;
    uint8_t runningStatus = 0;
    bool ended = false;
};

// Puts the events of all tracks on one time axis. Tempo changes in any track
// apply to all, as in format 1 files.
std::string placeInTime(std::vector<RawEvent>& events, const TimeBase& base, MidiSong& song) {
    std::stable_sort(events.begin(), events.end(),
                     [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });
    const int64_t longest = kLongestSongSeconds * base.unitsPerSecond;
    int64_t time = 0;
    int64_t lastTick = 0;
    int64_t unitsPerTick = base.unitsPerTick != 0 ? base.unitsPerTick : kDefaultTempo;
    song.unitsPerSecond = base.unitsPerSecond;
    song.messages.clear();
    for (const RawEvent& event : events) {
        const int64_t ticks = event.tick - lastTick;
        if (ticks > (longest - time) / unitsPerTick) return "the song is longer than a day";
        time += ticks * unitsPerTick;
        lastTick = event.tick;
        if (event.tempo == 0) {
            song.messages.push_back({time, event.message});
        } else if (base.unitsPerTick == 0) {
            unitsPerTick = event.tempo;
        }
    }
    return {};
}

struct Header {
    int format = 0;
    int trackCount = 0;
    TimeBase base;
};

std::string readHeader(ByteReader& reader, Header& header) {
    const auto tag = reader.take(4);
    if (reader.failed() || !std::equal(tag.begin(), tag.end(), "MThd")) return "not a Standard MIDI File";
    const uint32_t length = reader.bigEndian(4);
    if (reader.failed() || length < 6 || length > reader.remaining()) return "the file header is cut short";
    header.format = static_cast<int>(reader.bigEndian(2));
    header.trackCount = static_cast<int>(reader.bigEndian(2));
    const auto division = static_cast<uint16_t>(reader.bigEndian(2));
    reader.skip(length - 6);
    if (header.format == 2) return "format 2 files (independent patterns) are not supported";
    if (header.format > 2) return "unknown MIDI file format";
    if (header.trackCount == 0) return "the file has no tracks";
    if (header.format == 0 && header.trackCount != 1) return "a format 0 file must have exactly one track";
    if (!readTimeBase(division, header.base)) return "the file's time division is invalid";
    return {};
}

std::string readTracks(ByteReader& reader, int trackCount, std::vector<RawEvent>& events) {
    int found = 0;
    while (found < trackCount) {
        if (reader.atEnd()) return "the file ends after " + std::to_string(found) + " of " +
                                   std::to_string(trackCount) + " tracks";
        const auto tag = reader.take(4);
        const uint32_t length = reader.bigEndian(4);
        const auto body = reader.take(length);
        if (reader.failed()) return "track " + std::to_string(found + 1) + " is cut short";
        if (!std::equal(tag.begin(), tag.end(), "MTrk")) continue;  // unknown chunks are skipped
        const std::string error = TrackParser(body, events).parse();
        if (!error.empty()) return "track " + std::to_string(found + 1) + ": " + error;
        ++found;
    }
    return {};
}

}  // namespace

MidiFileContents parseMidiFile(std::span<const uint8_t> bytes) {
    MidiFileContents contents;
    ByteReader reader(bytes);
    Header header;
    contents.error = readHeader(reader, header);
    if (!contents.ok()) return contents;
    contents.format = header.format;
    contents.trackCount = header.trackCount;
    std::vector<RawEvent> events;
    contents.error = readTracks(reader, header.trackCount, events);
    if (contents.ok()) contents.error = placeInTime(events, header.base, contents.song);
    if (!contents.ok()) contents.song.messages.clear();
    return contents;
}

MidiFileContents readMidiFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, kLargestFile, bytes)) {
        MidiFileContents contents;
        contents.error = "cannot read " + path + " (or it is too large for a MIDI file)";
        return contents;
    }
    return parseMidiFile(bytes);
}

}  // namespace vsthost
