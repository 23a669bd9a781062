#include "tools/vsthost/PresetFile.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/VstInterface.h"
#include "tools/vsthost/ByteReader.h"

namespace vsthost {
namespace {

constexpr int32_t kFileMagic = fourCharCode('C', 'c', 'n', 'K');
constexpr int32_t kProgramValuesMagic = fourCharCode('F', 'x', 'C', 'k');
constexpr int32_t kProgramChunkMagic = fourCharCode('F', 'P', 'C', 'h');
constexpr int32_t kBankProgramsMagic = fourCharCode('F', 'x', 'B', 'k');
constexpr int32_t kBankChunkMagic = fourCharCode('F', 'B', 'C', 'h');
constexpr size_t kNameBytes = 28;
constexpr size_t kBankReservedBytes = 128;
// Far beyond any real plug-in; keeps a damaged count from asking for gigabytes.
constexpr uint32_t kMostItems = 1u << 16;

int32_t magicOf(PresetKind kind) {
    switch (kind) {
        case PresetKind::ProgramValues: return kProgramValuesMagic;
        case PresetKind::ProgramChunk: return kProgramChunkMagic;
        case PresetKind::BankPrograms: return kBankProgramsMagic;
        case PresetKind::BankChunk: return kBankChunkMagic;
    }
    return 0;
}

bool kindOf(int32_t magic, PresetKind& kind) {
    for (PresetKind candidate : {PresetKind::ProgramValues, PresetKind::ProgramChunk, PresetKind::BankPrograms,
                                 PresetKind::BankChunk}) {
        if (magicOf(candidate) != magic) continue;
        kind = candidate;
        return true;
    }
    return false;
}

// ---- writing

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void putName(std::vector<uint8_t>& out, const std::string& name) {
    uint8_t field[kNameBytes] = {};
    std::memcpy(field, name.data(), std::min(name.size(), kNameBytes - 1));
    out.insert(out.end(), field, field + kNameBytes);
}

void putChunk(std::vector<uint8_t>& out, const std::vector<uint8_t>& chunk) {
    put32(out, static_cast<uint32_t>(chunk.size()));
    out.insert(out.end(), chunk.begin(), chunk.end());
}

// Everything up to the count; the byte size is filled in when the rest is known.
size_t startRecord(std::vector<uint8_t>& out, int32_t magic, uint32_t version, const Preset& preset,
                   uint32_t count) {
    const size_t start = out.size();
    put32(out, static_cast<uint32_t>(kFileMagic));
    put32(out, 0);
    put32(out, static_cast<uint32_t>(magic));
    put32(out, version);
    put32(out, static_cast<uint32_t>(preset.pluginId));
    put32(out, static_cast<uint32_t>(preset.pluginVersion));
    put32(out, count);
    return start;
}

void finishRecord(std::vector<uint8_t>& out, size_t start) {
    const auto rest = static_cast<uint32_t>(out.size() - start - 8);
    for (int i = 0; i < 4; ++i) out[start + 4 + i] = static_cast<uint8_t>(rest >> (24 - 8 * i));
}

void putProgram(std::vector<uint8_t>& out, const Preset& preset, const PresetProgram& program, PresetKind kind) {
    const auto count = static_cast<uint32_t>(kind == PresetKind::ProgramChunk ? preset.chunkCount
                                                                               : program.values.size());
    const size_t start = startRecord(out, magicOf(kind), 1, preset, count);
    putName(out, program.name);
    if (kind == PresetKind::ProgramChunk) {
        putChunk(out, preset.chunk);
    } else {
        for (float value : program.values) put32(out, std::bit_cast<uint32_t>(value));
    }
    finishRecord(out, start);
}

void putBank(std::vector<uint8_t>& out, const Preset& preset) {
    const auto count = static_cast<uint32_t>(preset.kind == PresetKind::BankChunk ? preset.chunkCount
                                                                                   : preset.programs.size());
    const size_t start = startRecord(out, magicOf(preset.kind), 2, preset, count);
    put32(out, static_cast<uint32_t>(std::max(preset.currentProgram, 0)));
    out.insert(out.end(), kBankReservedBytes - 4, 0);
    if (preset.kind == PresetKind::BankChunk) {
        putChunk(out, preset.chunk);
    } else {
        for (const PresetProgram& program : preset.programs) putProgram(out, preset, program, PresetKind::ProgramValues);
    }
    finishRecord(out, start);
}

// ---- reading

struct Header {
    PresetKind kind = PresetKind::ProgramValues;
    uint32_t version = 0;
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    uint32_t count = 0;
};

const char kCutShort[] = "the file is damaged: it is shorter than its header says";

// Splits off one "CcnK" record: what follows its byte size.
std::string takeRecord(ByteReader& reader, std::span<const uint8_t>& contents) {
    const auto magic = static_cast<int32_t>(reader.bigEndian(4));
    const uint32_t byteSize = reader.bigEndian(4);
    if (reader.failed() || magic != kFileMagic) return "not a VST preset file (it does not start with CcnK)";
    contents = reader.take(byteSize);
    return reader.failed() ? kCutShort : "";
}

std::string readHeader(ByteReader& reader, Header& header) {
    const auto kindMagic = static_cast<int32_t>(reader.bigEndian(4));
    header.version = reader.bigEndian(4);
    header.pluginId = static_cast<int32_t>(reader.bigEndian(4));
    header.pluginVersion = static_cast<int32_t>(reader.bigEndian(4));
    header.count = reader.bigEndian(4);
    if (reader.failed()) return kCutShort;
    if (!kindOf(kindMagic, header.kind)) return "unknown kind of preset (neither FxCk, FPCh, FxBk nor FBCh)";
    if (header.version < 1 || header.version > 2) return "unknown preset format version " + std::to_string(header.version);
    if (header.count > kMostItems) return "the file is damaged: it claims " + std::to_string(header.count) + " items";
    return {};
}

std::string readName(ByteReader& reader, std::string& name) {
    const auto field = reader.take(kNameBytes);
    if (reader.failed()) return kCutShort;
    const auto* text = reinterpret_cast<const char*>(field.data());
    name.assign(text, strnlen(text, kNameBytes));
    return {};
}

std::string readValues(ByteReader& reader, uint32_t count, std::vector<float>& values) {
    if (reader.remaining() < size_t{count} * 4) return kCutShort;
    values.clear();
    for (uint32_t i = 0; i < count; ++i) {
        const float value = std::bit_cast<float>(reader.bigEndian(4));
        if (!(value >= 0.0f && value <= 1.0f)) {
            char number[32];
            std::snprintf(number, sizeof number, "%g", static_cast<double>(value));
            return "the file is damaged: parameter " + std::to_string(i) + " is " + number + ", not from 0 to 1";
        }
        values.push_back(value);
    }
    return {};
}

std::string readChunk(ByteReader& reader, std::vector<uint8_t>& chunk) {
    const uint32_t size = reader.bigEndian(4);
    const auto bytes = reader.take(size);
    if (reader.failed()) return kCutShort;
    chunk.assign(bytes.begin(), bytes.end());
    return {};
}

std::string readProgramBody(ByteReader& reader, const Header& header, Preset& preset) {
    PresetProgram program;
    std::string error = readName(reader, program.name);
    if (error.empty() && header.kind == PresetKind::ProgramChunk) {
        preset.chunkCount = static_cast<int32_t>(header.count);
        error = readChunk(reader, preset.chunk);
    } else if (error.empty()) {
        error = readValues(reader, header.count, program.values);
    }
    preset.programs.push_back(std::move(program));
    return error;
}

std::string readRecord(ByteReader& reader, Header& header, Preset& preset, bool insideBank);

std::string readBankBody(ByteReader& reader, const Header& header, Preset& preset) {
    const auto reserved = reader.take(kBankReservedBytes);
    if (reader.failed()) return kCutShort;
    if (header.version >= 2) {
        ByteReader current(reserved);
        preset.currentProgram = static_cast<int32_t>(current.bigEndian(4));
        if (preset.currentProgram < 0 || static_cast<uint32_t>(preset.currentProgram) >= header.count)
            return "the file is damaged: its current program is not one of its programs";
    }
    if (header.kind == PresetKind::BankChunk) {
        preset.chunkCount = static_cast<int32_t>(header.count);
        return readChunk(reader, preset.chunk);
    }
    for (uint32_t i = 0; i < header.count; ++i) {
        Header inner;
        std::string error = readRecord(reader, inner, preset, true);
        if (!error.empty()) return error;
        if (inner.kind != PresetKind::ProgramValues || inner.pluginId != header.pluginId)
            return "the file is damaged: program " + std::to_string(i) + " of the bank is not a program of its plug-in";
    }
    return {};
}

std::string readRecord(ByteReader& reader, Header& header, Preset& preset, bool insideBank) {
    std::span<const uint8_t> contents;
    std::string error = takeRecord(reader, contents);
    ByteReader body(contents);
    if (error.empty()) error = readHeader(body, header);
    if (!error.empty()) return error;
    const bool bank = header.kind == PresetKind::BankPrograms || header.kind == PresetKind::BankChunk;
    if (bank && insideBank) return "the file is damaged: a bank inside a bank";
    error = bank ? readBankBody(body, header, preset) : readProgramBody(body, header, preset);
    if (error.empty() && !body.atEnd()) error = "the file is damaged: it is longer than its header says";
    return error;
}

}  // namespace

PresetReading parsePreset(std::span<const uint8_t> bytes) {
    PresetReading reading;
    ByteReader reader(bytes);
    Header header;
    reading.error = readRecord(reader, header, reading.preset, false);
    if (reading.error.empty() && !reader.atEnd()) reading.error = "the file is damaged: it is longer than its header says";
    if (!reading.error.empty()) {
        reading.preset = Preset{};
        return reading;
    }
    reading.preset.kind = header.kind;
    reading.preset.pluginId = header.pluginId;
    reading.preset.pluginVersion = header.pluginVersion;
    return reading;
}

std::vector<uint8_t> encodePreset(const Preset& preset) {
    std::vector<uint8_t> out;
    if (preset.isBank()) {
        putBank(out, preset);
    } else if (!preset.programs.empty()) {
        putProgram(out, preset, preset.programs.front(), preset.kind);
    }
    return out;
}

}  // namespace vsthost
