// VST 2 preset files as musicians share them: .fxp (one program) and .fxb
// (a bank), each either as parameter values or as the plug-in's own opaque
// chunk. Big-endian throughout:
//
//   "CcnK", byte size of the rest, kind ("FxCk" program as values, "FPCh"
//   program as chunk, "FxBk" bank as programs, "FBCh" bank as chunk), format
//   version, plug-in unique ID, plug-in version, parameter count (program) or
//   program count (bank); then a program's 28-byte name, or a bank's 128
//   reserved bytes (a version-2 bank keeps its current program in the first
//   four); then the values as floats, the programs (each a whole "FxCk"
//   program), or a 4-byte chunk size and the chunk.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vsthost {

enum class PresetKind { ProgramValues, ProgramChunk, BankPrograms, BankChunk };

struct PresetProgram {
    std::string name;  // at most 27 characters are kept
    std::vector<float> values;
};

struct Preset {
    PresetKind kind = PresetKind::ProgramValues;
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    // Value kinds: one program, or the bank's programs. A program chunk keeps
    // its name in the only entry, with no values.
    std::vector<PresetProgram> programs;
    // Chunk kinds only: the plug-in's bytes, passed on unread, and the count
    // of the header (the plug-in's parameters for a program, its programs for
    // a bank).
    std::vector<uint8_t> chunk;
    int32_t chunkCount = 0;
    // Banks: the program that was current, or -1 when the file does not say.
    int32_t currentProgram = -1;

    bool isBank() const { return kind == PresetKind::BankPrograms || kind == PresetKind::BankChunk; }
    bool isChunk() const { return kind == PresetKind::ProgramChunk || kind == PresetKind::BankChunk; }
};

struct PresetReading {
    Preset preset;
    std::string error;  // empty when the file was understood
};

PresetReading parsePreset(std::span<const uint8_t> bytes);
// Banks are written as version 2, so they keep their current program.
std::vector<uint8_t> encodePreset(const Preset& preset);

}  // namespace vsthost
