// The instrument's settings as the bytes a host keeps in a project or a
// preset file: the whole bank, or one program. Little-endian whatever the
// machine, so a project moves between the builds.
//
//   offset  size  field
//   0       4     magic, the characters "zTSt"
//   4       4     format version of the writer (1)
//   8       4     oldest format version that can read the chunk (1)
//   12      4     program count: 7 for a bank, 1 for a program
//   16      4     parameter count (19)
//   20      4     current program (bank); the program it was taken from (program)
//   24      ...   per program: its name (24 bytes, zero-terminated and
//                 zero-padded), then its values as 32-bit floats, 0 to 1
//
// A later version keeps everything above as the start of its chunks and adds
// after it; this version reads its part and leaves the rest. A later chunk
// this version cannot read that way names a higher oldest version and is
// refused. Anything malformed is refused whole.
#pragma once

#include <cstdint>

#include "instrument/FactoryPrograms.h"
#include "instrument/MalletProgram.h"
#include "synth/ParameterIndex.h"

struct ProgramState {
    float values[kParameterCount] = {};
    char name[MalletProgram::kNameSize] = {};
};

struct BankState {
    ProgramState programs[kFactoryProgramCount];
    int32_t currentProgram = 0;
};

namespace state_chunk {

constexpr uint32_t kFormatVersion = 1;
constexpr int32_t kHeaderSize = 24;
constexpr int32_t kProgramRecordSize = MalletProgram::kNameSize + 4 * kParameterCount;
constexpr int32_t kBankSize = kHeaderSize + kFactoryProgramCount * kProgramRecordSize;
constexpr int32_t kProgramSize = kHeaderSize + kProgramRecordSize;

// Both return the number of bytes written; a bank's room serves both.
int32_t writeBank(const BankState& bank, uint8_t (&out)[kBankSize]);
int32_t writeProgram(const ProgramState& program, int32_t programNumber, uint8_t (&out)[kBankSize]);

// False, with the result untouched, unless the chunk is whole and sane.
bool readBank(const void* data, int32_t size, BankState& bank);
bool readProgram(const void* data, int32_t size, ProgramState& program);

}  // namespace state_chunk
