// Preset files: what is written reads back the same, and a damaged file is
// refused with a reason, never read beyond its end.
#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "tools/vsthost/PresetFile.h"

namespace vsthost {
namespace {

constexpr int32_t kId = 0x7A546F6C;  // "zTol"

Preset programPreset(PresetKind kind) {
    Preset preset;
    preset.kind = kind;
    preset.pluginId = kId;
    preset.pluginVersion = 3;
    preset.programs.push_back({"Soft vibes", {}});
    if (kind == PresetKind::ProgramValues) preset.programs[0].values = {0.0f, 0.25f, 1.0f};
    if (kind == PresetKind::ProgramChunk) {
        preset.chunk = {1, 2, 3, 4, 5};
        preset.chunkCount = 3;
    }
    return preset;
}

Preset bankPreset(PresetKind kind) {
    Preset preset;
    preset.kind = kind;
    preset.pluginId = kId;
    preset.pluginVersion = 3;
    preset.currentProgram = 1;
    if (kind == PresetKind::BankChunk) {
        preset.chunk = {9, 8, 7};
        preset.chunkCount = 2;
    } else {
        preset.programs = {{"First", {0.5f, 0.125f}}, {"A name of twenty-seven chars", {1.0f, 0.0f}}};
    }
    return preset;
}

std::vector<Preset> everyKind() {
    return {programPreset(PresetKind::ProgramValues), programPreset(PresetKind::ProgramChunk),
            bankPreset(PresetKind::BankPrograms), bankPreset(PresetKind::BankChunk)};
}

void expectSame(const Preset& read, const Preset& written) {
    EXPECT_EQ(read.kind, written.kind);
    EXPECT_EQ(read.pluginId, written.pluginId);
    EXPECT_EQ(read.pluginVersion, written.pluginVersion);
    EXPECT_EQ(read.chunk, written.chunk);
    EXPECT_EQ(read.chunkCount, written.isChunk() ? written.chunkCount : 0);
    EXPECT_EQ(read.currentProgram, written.currentProgram);
    ASSERT_EQ(read.programs.size(), written.programs.size());
    for (size_t i = 0; i < read.programs.size(); ++i) {
        EXPECT_EQ(read.programs[i].name, written.programs[i].name.substr(0, 27));
        EXPECT_EQ(read.programs[i].values, written.programs[i].values);
    }
}

TEST(PresetFile, EveryKindReadsBackAsWritten) {
    for (const Preset& preset : everyKind()) {
        const std::vector<uint8_t> bytes = encodePreset(preset);
        const PresetReading reading = parsePreset(bytes);
        ASSERT_EQ(reading.error, "");
        expectSame(reading.preset, preset);
    }
}

TEST(PresetFile, TheHeaderIsBigEndianWithTheSizeOfTheRest) {
    const std::vector<uint8_t> bytes = encodePreset(programPreset(PresetKind::ProgramValues));
    ASSERT_EQ(bytes.size(), 56u + 3 * 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "CcnK");
    EXPECT_EQ(bytes[7], bytes.size() - 8);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FxCk");
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 20), "zTol");
    EXPECT_EQ(bytes[27], 3);  // parameters
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[28])), "Soft vibes");
    EXPECT_EQ(bytes[56 + 4], 0x3E);  // 0.25f = 0x3E800000
    const std::vector<uint8_t> bank = encodePreset(bankPreset(PresetKind::BankChunk));
    EXPECT_EQ(std::string(bank.begin() + 8, bank.begin() + 12), "FBCh");
    EXPECT_EQ(bank[15], 2);  // version 2 keeps the current program
    EXPECT_EQ(bank[28 + 3], 1);
    EXPECT_EQ(bank.size(), 156u + 4 + 3);
}

// Every cut and every byte too many is refused; a change of any one byte
// is refused or gives a preset of sane values, and nothing is read out of
// bounds (the sanitizer builds watch).
TEST(PresetFile, DamageAnywhereIsRefusedOrHarmless) {
    for (const Preset& preset : everyKind()) {
        const std::vector<uint8_t> bytes = encodePreset(preset);
        for (size_t size = 0; size < bytes.size(); ++size) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
            EXPECT_NE(parsePreset(cut).error, "") << size;
        }
        std::vector<uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_NE(parsePreset(longer).error, "");
        for (size_t at = 0; at < bytes.size(); ++at) {
            for (int flip : {0x01, 0x80, 0xFF}) {
                std::vector<uint8_t> damaged = bytes;
                damaged[at] = static_cast<uint8_t>(damaged[at] ^ flip);
                const PresetReading reading = parsePreset(damaged);
                if (!reading.error.empty()) continue;
                for (const PresetProgram& program : reading.preset.programs)
                    for (float value : program.values) EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << at;
            }
        }
    }
}

TEST(PresetFile, RefusalsSayWhatIsWrong) {
    struct Case {
        const char* reason;
        std::vector<uint8_t> bytes;
    };
    const std::vector<uint8_t> program = encodePreset(programPreset(PresetKind::ProgramValues));
    const std::vector<uint8_t> bank = encodePreset(bankPreset(PresetKind::BankPrograms));
    std::vector<Case> cases = {{"not a VST preset", program},  {"unknown kind", program},
                               {"format version", program},    {"not from 0 to 1", program},
                               {"current program", bank},      {"program of its plug-in", bank},
                               {"a bank inside a bank", bank}, {"claims", program}};
    cases[0].bytes[0] = 'X';
    cases[1].bytes[11] = 'x';
    cases[2].bytes[15] = 3;
    cases[3].bytes[56] = 0x7F;  // a huge first value
    cases[4].bytes[28 + 3] = 2;
    cases[5].bytes[156 + 16] ^= 1;  // the first program's plug-in ID
    cases[6].bytes[156 + 8 + 2] = 'B';  // the first program says it is a bank ("FxBk")
    cases[7].bytes[24] = 0x10;  // 268 million parameters
    for (const Case& c : cases) {
        const PresetReading reading = parsePreset(c.bytes);
        EXPECT_NE(reading.error.find(c.reason), std::string::npos) << c.reason << ": " << reading.error;
        EXPECT_TRUE(reading.preset.programs.empty());
    }
}

}  // namespace
}  // namespace vsthost
