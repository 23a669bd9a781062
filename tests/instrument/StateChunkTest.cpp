// The instrument's state as chunks: what one instance gives, another takes
// back whole; anything damaged is refused and changes nothing.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "instrument/StateChunk.h"
#include "tests/instrument/HostedSynth.h"

namespace {

constexpr int32_t kBankIndex = 0;
constexpr int32_t kProgramIndex = 1;

std::vector<uint8_t> chunkOf(HostedSynth& hosted, int32_t index) {
    void* data = nullptr;
    const intptr_t size = hosted.dispatch(effGetChunk, index, 0, &data);
    if (size <= 0 || data == nullptr) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return {bytes, bytes + size};
}

intptr_t setChunk(HostedSynth& hosted, int32_t index, std::vector<uint8_t> bytes) {
    return hosted.dispatch(effSetChunk, index, static_cast<intptr_t>(bytes.size()), bytes.data());
}

void rename(HostedSynth& hosted, const char* name) {
    std::string copy(name);
    hosted.dispatch(effSetProgramName, 0, 0, copy.data());
}

// Edits in three programs, renames two, and leaves program 5 current.
void editSeveralPrograms(HostedSynth& hosted) {
    hosted.dispatch(effSetProgram, 0, 1);
    hosted.setParameter(kStereoSpread, 0.25f);
    rename(hosted, "Soft vibes");
    hosted.dispatch(effSetProgram, 0, 3);
    hosted.setParameter(kFirstRatio + 2, 0.3125f);
    hosted.setParameter(kStickHardness, 0.0f);
    hosted.dispatch(effSetProgram, 0, 5);
    hosted.setParameter(kVibratoSwitch, 1.0f);
    rename(hosted, "A name of twenty-three!");
}

struct Snapshot {
    int32_t current = 0;
    std::string names[kFactoryProgramCount];
    float values[kFactoryProgramCount][kParameterCount] = {};
    bool operator==(const Snapshot&) const = default;
};

// Everything a host can see of the programs, visiting each and coming back.
Snapshot snapshot(HostedSynth& hosted) {
    Snapshot seen;
    seen.current = static_cast<int32_t>(hosted.dispatch(effGetProgram));
    for (int32_t p = 0; p < kFactoryProgramCount; ++p) {
        hosted.dispatch(effSetProgram, 0, p);
        seen.names[p] = hosted.text(effGetProgramName);
        for (int32_t j = 0; j < kParameterCount; ++j) seen.values[p][j] = hosted.getParameter(j);
    }
    hosted.dispatch(effSetProgram, 0, seen.current);
    return seen;
}

StereoBlock strikeChord(HostedSynth& hosted) {
    hosted.send({noteOn(48), noteOn(60, 7), noteOn(79, 300)});
    return hosted.renderBlocks(4, 512);
}

TEST(StateChunk, TheRecordSaysProgramsAreChunks) {
    HostedSynth hosted;
    EXPECT_EQ(hosted.record->flags & effFlagsProgramChunks, effFlagsProgramChunks);
}

TEST(StateChunk, ABankRestoresEveryProgramNameTheCurrentProgramAndTheSound) {
    HostedSynth original;
    editSeveralPrograms(original);
    const std::vector<uint8_t> bank = chunkOf(original, kBankIndex);
    ASSERT_EQ(bank.size(), static_cast<size_t>(state_chunk::kBankSize));

    HostedSynth restored;
    ASSERT_EQ(setChunk(restored, kBankIndex, bank), 1);
    EXPECT_EQ(restored.dispatch(effGetProgram), 5);
    EXPECT_EQ(restored.text(effGetProgramName), "A name of twenty-three!");
    EXPECT_EQ(strikeChord(restored), strikeChord(original));
    EXPECT_EQ(snapshot(restored), snapshot(original));
    EXPECT_EQ(chunkOf(restored, kBankIndex), bank);
}

TEST(StateChunk, AProgramChunkReplacesOnlyTheCurrentProgram) {
    HostedSynth original;
    editSeveralPrograms(original);
    original.dispatch(effSetProgram, 0, 1);
    const std::vector<uint8_t> program = chunkOf(original, kProgramIndex);
    ASSERT_EQ(program.size(), static_cast<size_t>(state_chunk::kProgramSize));

    HostedSynth restored;
    restored.dispatch(effSetProgram, 0, 4);
    Snapshot expected = snapshot(restored);
    const Snapshot edited = snapshot(original);
    expected.names[4] = edited.names[1];
    std::memcpy(expected.values[4], edited.values[1], sizeof expected.values[4]);

    ASSERT_EQ(setChunk(restored, kProgramIndex, program), 1);
    EXPECT_EQ(restored.getParameter(kStereoSpread), 0.25f);
    EXPECT_EQ(snapshot(restored), expected);
}

// The bytes of the format, as documented, so that other tools may write them.
TEST(StateChunk, TheLayoutIsLittleEndianWithItsHeaderFirst) {
    HostedSynth hosted;
    hosted.dispatch(effSetProgram, 0, 2);
    const std::vector<uint8_t> bank = chunkOf(hosted, kBankIndex);
    ASSERT_GE(bank.size(), 24u);
    const auto word = [&](size_t at) {
        return bank[at] | bank[at + 1] << 8 | bank[at + 2] << 16 | static_cast<uint32_t>(bank[at + 3]) << 24;
    };
    EXPECT_EQ(std::string(bank.begin(), bank.begin() + 4), "zTSt");
    EXPECT_EQ(word(4), 1u);
    EXPECT_EQ(word(8), 1u);
    EXPECT_EQ(word(12), 7u);
    EXPECT_EQ(word(16), 19u);
    EXPECT_EQ(word(20), 2u);
    const size_t secondProgram = 24 + 100;
    EXPECT_STREQ(reinterpret_cast<const char*>(&bank[secondProgram]), "Vibraphone");
    EXPECT_EQ(std::bit_cast<float>(word(secondProgram + 24 + 4 * kVibratoGain)), 0.2f);
}

// A later version adds after what this one reads; unless it says this
// version cannot read it, the known part is taken and the rest left.
TEST(StateChunk, ALaterVersionsLongerChunkIsReadUnlessItSaysOtherwise) {
    HostedSynth original;
    editSeveralPrograms(original);
    std::vector<uint8_t> later = chunkOf(original, kBankIndex);
    later[4] = 2;
    later.insert(later.end(), {1, 2, 3, 4, 5, 6, 7, 8});
    HostedSynth restored;
    EXPECT_EQ(setChunk(restored, kBankIndex, later), 1);
    EXPECT_EQ(snapshot(restored), snapshot(original));

    later[8] = 2;
    HostedSynth untouched;
    EXPECT_EQ(setChunk(untouched, kBankIndex, later), 0);
    EXPECT_EQ(untouched.text(effGetProgramName), "Marimba");
}

struct Damage {
    const char* what;
    void (*apply)(std::vector<uint8_t>&);
};

void putWord(std::vector<uint8_t>& bytes, size_t at, uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(word >> (8 * i));
}

const Damage kDamages[] = {
    {"wrong magic", [](std::vector<uint8_t>& b) { b[0] = 'Z'; }},
    {"version 0", [](std::vector<uint8_t>& b) { putWord(b, 4, 0); }},
    {"oldest reader above the version", [](std::vector<uint8_t>& b) { putWord(b, 8, 3); }},
    {"oldest reader 0", [](std::vector<uint8_t>& b) { putWord(b, 8, 0); }},
    {"a program count of a program chunk", [](std::vector<uint8_t>& b) { putWord(b, 12, 1); }},
    {"a huge program count", [](std::vector<uint8_t>& b) { putWord(b, 12, 0x7FFFFFFF); }},
    {"another parameter count", [](std::vector<uint8_t>& b) { putWord(b, 16, 20); }},
    {"current program 7", [](std::vector<uint8_t>& b) { putWord(b, 20, 7); }},
    {"cut by one byte", [](std::vector<uint8_t>& b) { b.pop_back(); }},
    {"one byte more", [](std::vector<uint8_t>& b) { b.push_back(0); }},
    {"only the header", [](std::vector<uint8_t>& b) { b.resize(24); }},
    {"a name without terminator", [](std::vector<uint8_t>& b) { std::memset(&b[24], 'x', 24); }},
    {"garbage after a name", [](std::vector<uint8_t>& b) { b[24 + 22] = 'x'; }},
    {"a value above 1", [](std::vector<uint8_t>& b) { putWord(b, 48, std::bit_cast<uint32_t>(1.5f)); }},
    {"a negative value", [](std::vector<uint8_t>& b) { putWord(b, 52, std::bit_cast<uint32_t>(-0.25f)); }},
    {"a NaN", [](std::vector<uint8_t>& b) { putWord(b, 56, 0x7FC00000u); }},
    {"infinity", [](std::vector<uint8_t>& b) { putWord(b, 60, 0x7F800000u); }},
    {"empty", [](std::vector<uint8_t>& b) { b.clear(); }},
};

TEST(StateChunk, DamagedChunksAreRefusedAndChangeNothing) {
    HostedSynth source;
    editSeveralPrograms(source);
    const std::vector<uint8_t> bank = chunkOf(source, kBankIndex);
    HostedSynth target;
    target.dispatch(effSetProgram, 0, 2);
    const std::vector<uint8_t> before = chunkOf(target, kBankIndex);
    for (const Damage& damage : kDamages) {
        std::vector<uint8_t> damaged = bank;
        damage.apply(damaged);
        EXPECT_EQ(setChunk(target, kBankIndex, damaged), 0) << damage.what;
        EXPECT_EQ(chunkOf(target, kBankIndex), before) << damage.what;
    }
    // A bank is not a program, nor the reverse; and a host's bad pointers.
    EXPECT_EQ(setChunk(target, kProgramIndex, bank), 0);
    EXPECT_EQ(setChunk(target, kBankIndex, chunkOf(source, kProgramIndex)), 0);
    EXPECT_EQ(target.dispatch(effSetChunk, kBankIndex, static_cast<intptr_t>(bank.size()), nullptr), 0);
    std::vector<uint8_t> copy = bank;
    EXPECT_EQ(target.dispatch(effSetChunk, kBankIndex, 0, copy.data()), 0);
    EXPECT_EQ(target.dispatch(effSetChunk, kBankIndex, -1, copy.data()), 0);
    EXPECT_EQ(target.dispatch(effGetChunk, kBankIndex, 0, nullptr), 0);
    EXPECT_EQ(chunkOf(target, kBankIndex), before);
}

// Random damage of every kind: either refused with nothing changed, or
// taken, and then every value the host and the engine see is sane.
TEST(StateChunk, RandomDamageIsRefusedOrLeavesOnlySaneValues) {
    HostedSynth source;
    editSeveralPrograms(source);
    const std::vector<uint8_t> bank = chunkOf(source, kBankIndex);
    std::mt19937 random(20261208);
    int accepted = 0;
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<uint8_t> damaged = bank;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
        if (trial % 5 == 0) damaged.resize(random() % (bank.size() + 40), 0xA5);
        HostedSynth target;
        const std::vector<uint8_t> before = chunkOf(target, kBankIndex);
        if (setChunk(target, kBankIndex, damaged) == 0) {
            EXPECT_EQ(chunkOf(target, kBankIndex), before) << "trial " << trial;
            continue;
        }
        ++accepted;
        const Snapshot seen = snapshot(target);
        for (const auto& program : seen.values)
            for (float value : program) EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "trial " << trial;
        for (const std::string& name : seen.names) EXPECT_LT(name.size(), 24u);
        EXPECT_TRUE(strikeChord(target).allFinite()) << "trial " << trial;
    }
    // Flipped bits inside values mostly leave valid numbers: some are taken.
    EXPECT_GT(accepted, 0);
}

}  // namespace
