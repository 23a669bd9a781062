#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/tools/vsthost/FakePlugin.h"
#include "tests/tools/vsthost/MidiFileBytes.h"
#include "tools/vsthost/Commands.h"
#include "tools/vsthost/DemoPhrase.h"

namespace vsthost {
namespace {

// Everything a command printed into one stream.
class Capture {
public:
    Capture() : file(std::tmpfile()) {}
    ~Capture() { std::fclose(file); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    std::FILE* stream() { return file; }
    std::string text() {
        std::fflush(file);
        std::rewind(file);
        std::string all;
        for (int c; (c = std::fgetc(file)) != EOF;) all += static_cast<char>(c);
        return all;
    }

private:
    std::FILE* file;
};

long fileSize(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return -1;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

std::string lineWith(const std::string& text, const std::string& start) {
    const size_t at = text.find("\n" + start);
    if (at == std::string::npos) return {};
    return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

RenderJob demoJob(const std::string& name) {
    RenderJob job;
    job.outputPath = ::testing::TempDir() + name;
    job.settings.sampleRate = 8000;
    job.settings.blockSize = 256;
    return job;
}

TEST(Commands, RenderOpensPreparesChoosesResumesPlaysAndCloses) {
    test::FakePlugin plugin;
    RenderJob job = demoJob("vsthost_commands_render.wav");
    job.choices.program = "gamma";
    job.choices.parameters = {"Tone=0.7", "0=0.25"};
    Capture out;
    Capture err;
    {
        PluginInstance instance(plugin.record());
        ASSERT_EQ(runRender(instance, job, out.stream(), err.stream()), 0) << err.text();
    }
    const auto& calls = plugin.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().opcode, effOpen);
    EXPECT_EQ(calls.back().opcode, effClose);
    EXPECT_EQ(plugin.countOf(effClose), 1);
    const int rate = plugin.positionOf(effSetSampleRate);
    const int block = plugin.positionOf(effSetBlockSize);
    const int program = plugin.positionOf(effSetProgram, 2);
    const int parameter = plugin.positionOf(test::kSetParameterCall);
    const int on = plugin.positionOf(effMainsChanged, 1);
    const int firstEvents = plugin.positionOf(effProcessEvents);
    const int off = plugin.positionOf(effMainsChanged, 0);
    EXPECT_EQ(calls[static_cast<size_t>(rate)].opt, 8000.0f);
    EXPECT_EQ(calls[static_cast<size_t>(block)].value, 256);
    EXPECT_LT(0, rate);
    EXPECT_LT(rate, block);
    EXPECT_LT(block, program);
    EXPECT_LT(program, parameter);
    EXPECT_LT(parameter, on);
    EXPECT_LT(on, firstEvents);
    EXPECT_LT(firstEvents, off);
    EXPECT_FALSE(plugin.processedWhileSuspended);
    EXPECT_FALSE(plugin.gotNullPointers);
    EXPECT_EQ(plugin.parameterChanges, (std::vector<std::pair<int32_t, float>>{{1, 0.7f}, {0, 0.25f}}));

    const MidiSong demo = demoPhrase();
    const int64_t frames = demo.frameAt(demo.endTime(), 8000) + 20000;  // 2.5 s tail
    EXPECT_EQ(fileSize(job.outputPath), 44 + frames * 4);
    const std::string said = out.text();
    EXPECT_NE(said.find("Program 2: Gamma"), std::string::npos) << said;
    EXPECT_NE(said.find("-6.0 dBFS"), std::string::npos) << said;
    std::remove(job.outputPath.c_str());
}

TEST(Commands, RenderRefusesAnUnknownProgramBeforeAnySound) {
    test::FakePlugin plugin;
    RenderJob job = demoJob("vsthost_commands_refused.wav");
    job.choices.program = "Delta";
    Capture out;
    Capture err;
    {
        PluginInstance instance(plugin.record());
        EXPECT_EQ(runRender(instance, job, out.stream(), err.stream()), 1);
    }
    EXPECT_NE(err.text().find("Delta"), std::string::npos);
    EXPECT_EQ(plugin.positionOf(effMainsChanged, 1), -1);
    EXPECT_EQ(plugin.countOf(effClose), 1);
    EXPECT_EQ(fileSize(job.outputPath), -1);
}

TEST(Commands, RenderNamesAMidiFileItCannotReadAndLeavesThePluginAlone) {
    test::FakePlugin plugin;
    RenderJob job = demoJob("vsthost_commands_missing.wav");
    job.midiPath = ::testing::TempDir() + "no_such_song.mid";
    Capture out;
    Capture err;
    PluginInstance instance(plugin.record());
    EXPECT_EQ(runRender(instance, job, out.stream(), err.stream()), 1);
    EXPECT_NE(err.text().find("no_such_song.mid"), std::string::npos);
    EXPECT_EQ(plugin.positionOf(effOpen), -1);
}

TEST(Commands, LongRendersReportTheirProgressInTenths) {
    // One note after 65 seconds: 130 ticks at the default half second per tick.
    const test::Bytes song = test::fileWithTrack(1, {0x81, 0x02, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00});
    RenderJob job = demoJob("vsthost_commands_long.wav");
    job.midiPath = ::testing::TempDir() + "vsthost_commands_long.mid";
    std::FILE* midi = std::fopen(job.midiPath.c_str(), "wb");
    ASSERT_NE(midi, nullptr);
    std::fwrite(song.data(), 1, song.size(), midi);
    std::fclose(midi);
    test::FakePlugin plugin;
    Capture out;
    Capture err;
    {
        PluginInstance instance(plugin.record());
        ASSERT_EQ(runRender(instance, job, out.stream(), err.stream()), 0) << err.text();
    }
    const std::string said = out.text();
    for (const char* step : {" 10%", " 50%", "100%"})
        EXPECT_NE(said.find(step), std::string::npos) << step << "\n" << said;
    std::remove(job.midiPath.c_str());
    std::remove(job.outputPath.c_str());

    test::FakePlugin shortPlugin;
    Capture quiet;
    RenderJob shortJob = demoJob("vsthost_commands_short.wav");
    {
        PluginInstance instance(shortPlugin.record());
        ASSERT_EQ(runRender(instance, shortJob, quiet.stream(), err.stream()), 0);
    }
    EXPECT_EQ(quiet.text().find('%'), std::string::npos);
    std::remove(shortJob.outputPath.c_str());
}

TEST(Commands, InfoListsIdentityCapabilitiesProgramsParametersAndPins) {
    test::FakePlugin plugin;
    Capture out;
    {
        PluginInstance instance(plugin.record());
        EXPECT_EQ(runInfo(instance, out.stream()), 0);
    }
    const std::string said = out.text();
    for (const char* expected : {"VstP", "Fake (0x46616B65)", "0x110: replacing, instrument", "Fake Effect", "Tests",
                                 "2 (instrument)",
                                 "Alpha", "Beta", "Gamma", "Level", "Tone", "Width", "dB", "Fake Out",
                                 "active, stereo pair", "(not described)"})
        EXPECT_NE(said.find(expected), std::string::npos) << expected << "\n" << said;
    EXPECT_NE(lineWith(said, "Can do:").find("receiveVstEvents"), std::string::npos) << said;
    EXPECT_EQ(lineWith(said, "Can do:").find("offline"), std::string::npos) << said;
    EXPECT_NE(lineWith(said, "Cannot do:").find("offline"), std::string::npos) << said;
    EXPECT_EQ(plugin.positionOf(effOpen), 0);
    EXPECT_EQ(plugin.countOf(effClose), 1);
}

}  // namespace
}  // namespace vsthost
