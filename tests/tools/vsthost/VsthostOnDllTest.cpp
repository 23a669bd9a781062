// vsthost run on the real plug-in (the DLL under Wine, the shared object
// natively), checked against what the plug-in itself reports through its record.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/VstInterface.h"
#include "tests/tools/vsthost/ToolRun.h"
#include "tools/vsthost/DemoPhrase.h"
#include "tools/vsthost/HostCallback.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/PluginReport.h"

namespace vsthost {
namespace {

using test::readFile;
using test::little32;

using test::runVsthost;

const std::string kPlugin = ZAV_PLUGIN_PATH;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// What the DLL says about itself when asked directly.
struct Facts {
    int32_t uniqueID = 0;
    int32_t programs = 0;
    int32_t parameters = 0;
    int32_t flags = 0;
    std::vector<std::string> programNames;
    std::vector<std::string> parameterNames;
    int editorWidth = 0;
    int editorHeight = 0;
};

Facts askTheDll() {
    Facts facts;
    PluginLibrary library;
    if (!library.load(kPlugin).empty()) return facts;
    if (AEffect* effect = library.instantiate(hostCallback)) {
        PluginInstance plugin(effect);
        plugin.open();
        facts.uniqueID = effect->uniqueID;
        facts.programs = effect->numPrograms;
        facts.parameters = effect->numParams;
        facts.flags = effect->flags;
        facts.programNames = plugin.programNames();
        facts.parameterNames = plugin.parameterNames();
        EditorRect* rect = nullptr;
        plugin.dispatch(effEditGetRect, 0, 0, &rect);
        if (rect != nullptr) {
            facts.editorWidth = rect->right - rect->left;
            facts.editorHeight = rect->bottom - rect->top;
        }
    }
    return facts;
}

TEST(VsthostOnDll, InfoPrintsWhatTheRecordHolds) {
    const Facts facts = askTheDll();
    ASSERT_GT(facts.programs, 0);
    const auto run = runVsthost("info " + quoted(kPlugin));
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Magic:           VstP"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Unique ID:       " + fourCharText(facts.uniqueID)), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Programs:        " + std::to_string(facts.programs) + "\n"), std::string::npos);
    EXPECT_NE(run.output.find("Parameters:      " + std::to_string(facts.parameters) + "\n"), std::string::npos);
    EXPECT_NE(run.output.find("Flags:           " + describeFlags(facts.flags)), std::string::npos);
    for (size_t i = 0; i < facts.programNames.size(); ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "  %3d  %s\n", static_cast<int>(i), facts.programNames[i].c_str());
        EXPECT_NE(run.output.find(line), std::string::npos) << line;
    }
    for (const auto& name : facts.parameterNames) EXPECT_NE(run.output.find(name), std::string::npos) << name;
}

TEST(VsthostOnDll, RenderOfTheDemoHasTheDemosLengthAndSound) {
    const std::string wav = ::testing::TempDir() + "vsthost_smoke_demo.wav";
    const auto run = runVsthost("render " + quoted(kPlugin) + " -o " + quoted(wav) + " --rate 22050 --block 300 --tail 1");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const auto bytes = readFile(wav);
    std::remove(wav.c_str());
    ASSERT_GE(bytes.size(), 44u);
    const MidiSong demo = demoPhrase();
    const uint32_t frames = static_cast<uint32_t>(demo.frameAt(demo.endTime(), 22050) + 22050);
    EXPECT_EQ(little32(bytes, 24), 22050u);
    EXPECT_EQ(little32(bytes, 40), frames * 4);
    EXPECT_EQ(bytes.size(), 44u + frames * 4);
    EXPECT_NE(run.output.find("Peak level:"), std::string::npos);
    EXPECT_EQ(run.output.find("silence"), std::string::npos) << "the demo made no sound:\n" << run.output;
}

TEST(VsthostOnDll, EveryProgramCanBeChosenByName) {
    const Facts facts = askTheDll();
    const std::string wav = ::testing::TempDir() + "vsthost_smoke_program.wav";
    for (size_t i = 0; i < facts.programNames.size(); ++i) {
        const auto run = runVsthost("render " + quoted(kPlugin) + " -o " + quoted(wav) + " --tail 0 --program " +
                                    quoted(facts.programNames[i]));
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_NE(run.output.find("Program " + std::to_string(i) + ": " + facts.programNames[i]), std::string::npos)
            << run.output;
    }
    std::remove(wav.c_str());
}

TEST(VsthostOnDll, RefusesWhatItCannotDoWithAReason) {
    const std::string wav = ::testing::TempDir() + "vsthost_smoke_refused.wav";
    struct Case {
        std::string arguments;
        std::string reason;
    };
    const Case cases[] = {
        {"render " + quoted(kPlugin) + " -o " + quoted(wav) + " --program \"No Such Sound\"", "No Such Sound"},
        {"render " + quoted(kPlugin) + " -o " + quoted(wav) + " --param 999=0.5", "999"},
        {"render " + quoted(kPlugin) + " Z:/no/such/song.mid -o " + quoted(wav), "song.mid"},
        {"info Z:/no/such/plugin.dll", "cannot load"},
        {"render " + quoted(kPlugin), "--output"},
    };
    for (const Case& c : cases) {
        const auto run = runVsthost(c.arguments);
        EXPECT_NE(run.exitCode, 0u) << c.arguments;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << c.arguments << "\n" << run.output;
    }
    EXPECT_TRUE(readFile(wav).empty());
}

#ifdef _WIN32
TEST(VsthostOnDll, EditorIsPhotographedAtItsOwnSizeOrRefusedWhenThereIsNone) {
    const Facts facts = askTheDll();
    const std::string bmp = ::testing::TempDir() + "vsthost_smoke_editor.bmp";
    const auto run = runVsthost("editor " + quoted(kPlugin) + " -o " + quoted(bmp) + " --seconds 0.3");
    const auto bytes = readFile(bmp);
    std::remove(bmp.c_str());
    if ((facts.flags & effFlagsHasEditor) == 0) {
        EXPECT_EQ(run.exitCode, 1u) << run.output;
        EXPECT_NE(run.output.find("no editor"), std::string::npos) << run.output;
        EXPECT_TRUE(bytes.empty());
        return;
    }
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(little32(bytes, 18), static_cast<uint32_t>(facts.editorWidth));
    EXPECT_EQ(little32(bytes, 22), static_cast<uint32_t>(facts.editorHeight));
}
#endif

}  // namespace
}  // namespace vsthost
