// Settings that survive a host, through the finished plug-in of this build:
// chunks from one instance restored into another, and preset files written
// and read back by vsthost.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/VstInterface.h"
#include "tests/tools/vsthost/ToolRun.h"
#include "tools/vsthost/HostCallback.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"

namespace vsthost {
namespace {

using test::readFile;
using test::runVsthost;

const std::string kPlugin = ZAV_PLUGIN_PATH;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }
std::string temporary(const char* name) { return ::testing::TempDir() + "presets_" + name; }

// Every program's name and values, and which one is current.
struct Programs {
    intptr_t current = 0;
    std::vector<std::string> names;
    std::vector<std::vector<float>> values;
    bool operator==(const Programs&) const = default;
};

Programs programsOf(PluginInstance& plugin) {
    Programs seen;
    seen.current = plugin.dispatch(effGetProgram);
    for (int32_t p = 0; p < plugin.record()->numPrograms; ++p) {
        plugin.dispatch(effSetProgram, 0, p);
        seen.names.push_back(plugin.text(effGetProgramName));
        seen.values.emplace_back();
        for (int32_t j = 0; j < plugin.record()->numParams; ++j) seen.values.back().push_back(plugin.getParameter(j));
    }
    plugin.dispatch(effSetProgram, 0, seen.current);
    return seen;
}

std::vector<uint8_t> chunkOf(PluginInstance& plugin, int32_t index) {
    void* data = nullptr;
    const intptr_t size = plugin.dispatch(effGetChunk, index, 0, &data);
    if (size <= 0 || data == nullptr) return {};
    return {static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size};
}

class PresetsOnPlugin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(library.load(kPlugin), ""); }
    AEffect* instantiate() { return library.instantiate(hostCallback); }

    void editProgramsOf(PluginInstance& plugin) {
        plugin.dispatch(effSetProgram, 0, 1);
        plugin.setParameter(17, 0.25f);
        std::string name = "Soft vibes";
        plugin.dispatch(effSetProgramName, 0, 0, name.data());
        plugin.dispatch(effSetProgram, 0, 6);
        plugin.setParameter(3, 0.75f);
        plugin.dispatch(effSetProgram, 0, 1);
    }

    PluginLibrary library;
};

TEST_F(PresetsOnPlugin, ABankChunkAndAProgramChunkRestoreASecondInstance) {
    PluginInstance original(instantiate());
    PluginInstance bankCopy(instantiate());
    PluginInstance programCopy(instantiate());
    ASSERT_NE(original.record(), nullptr);
    ASSERT_NE((original.record()->flags & effFlagsProgramChunks), 0);
    editProgramsOf(original);

    std::vector<uint8_t> bank = chunkOf(original, 0);
    ASSERT_FALSE(bank.empty());
    EXPECT_EQ(bankCopy.dispatch(effSetChunk, 0, static_cast<intptr_t>(bank.size()), bank.data()), 1);
    EXPECT_EQ(programsOf(bankCopy), programsOf(original));

    std::vector<uint8_t> program = chunkOf(original, 1);
    programCopy.dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(programCopy.dispatch(effSetChunk, 1, static_cast<intptr_t>(program.size()), program.data()), 1);
    const Programs restored = programsOf(programCopy);
    EXPECT_EQ(restored.names[4], "Soft vibes");
    EXPECT_EQ(restored.values[4], programsOf(original).values[1]);

    // Damaged: refused, and the instance keeps what it had.
    const Programs before = programsOf(bankCopy);
    bank[30] ^= 0x40;
    bank.pop_back();
    EXPECT_EQ(bankCopy.dispatch(effSetChunk, 0, static_cast<intptr_t>(bank.size()), bank.data()), 0);
    EXPECT_EQ(programsOf(bankCopy), before);
}

// A program and a bank, as chunks and as values: saved, loaded into a fresh
// instance and saved again, the files are the same to the byte; and a render
// with the preset is the render with the same choices made by hand.
TEST_F(PresetsOnPlugin, PresetFilesRoundTripThroughVsthost) {
    const std::string choices = " --program Vibraphone --param \"Stereo Spread=0.25\" --param 5=0.5";
    for (const char* file : {"bank.fxb", "program.fxp"}) {
        for (const char* kind : {"", " --values"}) {
            const std::string first = temporary(file);
            const std::string second = temporary((std::string("again_") + file).c_str());
            auto run = runVsthost("preset " + quoted(kPlugin) + " -o " + quoted(first) + kind + choices);
            ASSERT_EQ(run.exitCode, 0u) << run.output;
            run = runVsthost("preset " + quoted(kPlugin) + " --program 1 --preset " + quoted(first) + " -o " +
                             quoted(second) + kind);
            ASSERT_EQ(run.exitCode, 0u) << run.output;
            const auto bytes = readFile(first);
            EXPECT_GT(bytes.size(), 56u) << file << kind;
            EXPECT_EQ(readFile(second), bytes) << file << kind;
            std::remove(second.c_str());
        }
    }
    const std::string byHand = temporary("by_hand.wav");
    const std::string byPreset = temporary("by_preset.wav");
    auto run = runVsthost("render " + quoted(kPlugin) + " -o " + quoted(byHand) + " --tail 0.5" + choices);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    run = runVsthost("render " + quoted(kPlugin) + " -o " + quoted(byPreset) + " --tail 0.5 --preset " +
                     quoted(temporary("program.fxp")));
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(readFile(byPreset), readFile(byHand));
    for (const auto& path : {byHand, byPreset, temporary("bank.fxb"), temporary("program.fxp")})
        std::remove(path.c_str());
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TEST_F(PresetsOnPlugin, DamagedOrForeignPresetFilesAreRefusedWithAReason) {
    const std::string good = temporary("good.fxb");
    ASSERT_EQ(runVsthost("preset " + quoted(kPlugin) + " -o " + quoted(good)).exitCode, 0u);
    const std::vector<uint8_t> bank = readFile(good);
    ASSERT_GT(bank.size(), 160u);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"cut", {bank.begin(), bank.end() - 9}, "shorter than its header says"},
        {"foreign", bank, "not of this one"},
        {"no preset", {'M', 'T', 'h', 'd', 0, 0, 0, 6}, "not a VST preset"},
        {"refused chunk", bank, "refused"},
    };
    cases[1].bytes[19] = 'X';  // the plug-in's unique ID
    cases[3].bytes[160 + 2] ^= 0xFF;  // the chunk's magic
    const std::string damaged = temporary("damaged.fxb");
    const std::string wav = temporary("damaged.wav");
    for (const Case& c : cases) {
        writeBytes(damaged, c.bytes);
        const auto run = runVsthost("render " + quoted(kPlugin) + " -o " + quoted(wav) + " --preset " + quoted(damaged));
        EXPECT_EQ(run.exitCode, 1u) << c.what << "\n" << run.output;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << c.what << "\n" << run.output;
        EXPECT_NE(run.output.find("nothing was loaded"), std::string::npos) << c.what << "\n" << run.output;
        EXPECT_TRUE(readFile(wav).empty()) << c.what;
    }
    for (const auto& path : {good, damaged}) std::remove(path.c_str());
}

}  // namespace
}  // namespace vsthost
