#include "instrument/StateChunk.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace state_chunk {
namespace {

constexpr uint8_t kMagic[4] = {'z', 'T', 'S', 't'};

struct Header {
    uint32_t version;
    uint32_t oldestReader;
    uint32_t programCount;
    uint32_t parameterCount;
    uint32_t currentProgram;
};

void put32(uint8_t*& at, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) *at++ = static_cast<uint8_t>(value >> shift);
}

uint32_t get32(const uint8_t*& at) {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(*at++) << shift;
    return value;
}

uint8_t* writeHeader(uint8_t* at, uint32_t programCount, uint32_t currentProgram) {
    std::memcpy(at, kMagic, sizeof kMagic);
    at += sizeof kMagic;
    put32(at, kFormatVersion);
    put32(at, kFormatVersion);
    put32(at, programCount);
    put32(at, kParameterCount);
    put32(at, currentProgram);
    return at;
}

uint8_t* writeRecord(uint8_t* at, const ProgramState& program) {
    const size_t length = strnlen(program.name, MalletProgram::kNameSize - 1);
    std::memcpy(at, program.name, length);
    std::memset(at + length, 0, MalletProgram::kNameSize - length);
    at += MalletProgram::kNameSize;
    for (float value : program.values) put32(at, std::bit_cast<uint32_t>(value));
    return at;
}

// The size the header's counts call for, or -1 when the header is not one of
// ours that this version can read, for the expected number of programs.
int32_t countedSize(const Header& header, uint32_t expectedPrograms) {
    const bool readable = header.version >= 1 && header.oldestReader >= 1 &&
                          header.oldestReader <= kFormatVersion && header.oldestReader <= header.version;
    const bool counted = header.programCount == expectedPrograms && header.parameterCount == kParameterCount &&
                         header.currentProgram < static_cast<uint32_t>(kFactoryProgramCount);
    if (!readable || !counted) return -1;
    return kHeaderSize + static_cast<int32_t>(expectedPrograms) * kProgramRecordSize;
}

// Reads the header and checks the whole chunk's size against it; null when
// the chunk is not whole. A chunk of this version is exactly its counted
// size; a later version's may carry more after it.
const uint8_t* readHeader(const void* data, int32_t size, uint32_t expectedPrograms, Header& header) {
    if (data == nullptr || size < kHeaderSize) return nullptr;
    const auto* at = static_cast<const uint8_t*>(data);
    if (std::memcmp(at, kMagic, sizeof kMagic) != 0) return nullptr;
    at += sizeof kMagic;
    header = Header{get32(at), get32(at), get32(at), get32(at), get32(at)};
    const int32_t counted = countedSize(header, expectedPrograms);
    if (counted < 0) return nullptr;
    const bool whole = header.version == kFormatVersion ? size == counted : size >= counted;
    return whole ? at : nullptr;
}

// A name is its text, a terminator and nothing but zeros after it.
bool readName(const uint8_t* at, char (&name)[MalletProgram::kNameSize]) {
    const void* terminator = std::memchr(at, 0, MalletProgram::kNameSize);
    if (terminator == nullptr) return false;
    const auto length = static_cast<const uint8_t*>(terminator) - at;
    for (auto i = length; i < MalletProgram::kNameSize; ++i)
        if (at[i] != 0) return false;
    std::memcpy(name, at, MalletProgram::kNameSize);
    return true;
}

bool readRecord(const uint8_t*& at, ProgramState& program) {
    if (!readName(at, program.name)) return false;
    at += MalletProgram::kNameSize;
    for (float& value : program.values) {
        value = std::bit_cast<float>(get32(at));
        if (!(value >= 0.0f && value <= 1.0f)) return false;
        if (value == 0.0f) value = 0.0f;  // no negative zero: it would show as "-0.000000"
    }
    return true;
}

}  // namespace

int32_t writeBank(const BankState& bank, uint8_t (&out)[kBankSize]) {
    uint8_t* at = writeHeader(out, kFactoryProgramCount, static_cast<uint32_t>(bank.currentProgram));
    for (const ProgramState& program : bank.programs) at = writeRecord(at, program);
    return static_cast<int32_t>(at - out);
}

int32_t writeProgram(const ProgramState& program, int32_t programNumber, uint8_t (&out)[kBankSize]) {
    uint8_t* at = writeHeader(out, 1, static_cast<uint32_t>(programNumber));
    at = writeRecord(at, program);
    return static_cast<int32_t>(at - out);
}

bool readBank(const void* data, int32_t size, BankState& bank) {
    Header header{};
    const uint8_t* at = readHeader(data, size, kFactoryProgramCount, header);
    if (at == nullptr) return false;
    BankState read;
    for (ProgramState& program : read.programs)
        if (!readRecord(at, program)) return false;
    read.currentProgram = static_cast<int32_t>(header.currentProgram);
    bank = read;
    return true;
}

bool readProgram(const void* data, int32_t size, ProgramState& program) {
    Header header{};
    const uint8_t* at = readHeader(data, size, 1, header);
    if (at == nullptr) return false;
    ProgramState read;
    if (!readRecord(at, read)) return false;
    program = read;
    return true;
}

}  // namespace state_chunk
