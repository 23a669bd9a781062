// The plug-in object main hands out: its identity, and how every parameter
// change reaches its editor after the instrument took it.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "FailingAllocation.h"
#include "LocalPlugin.h"
#include "host/PluginEntry.h"

namespace {

constexpr int kParams = 19;

using InspectableSynth = MalletSynthEdit;

struct Notice {
    int32_t index;
    float value;
    std::array<float, kParams> stored;
};

// Records, at each notice, what the instrument holds at that moment.
class NoticeRecorder : public MalletEditor {
public:
    explicit NoticeRecorder(InspectableSynth* owner) : MalletEditor(owner), synth(owner) {}
    void parameterChanged(int32_t index, float value) override {
        Notice notice{index, value, {}};
        for (int i = 0; i < kParams; ++i) notice.stored[i] = synth->getParameter(i);
        notices.push_back(notice);
        MalletEditor::parameterChanged(index, value);
    }
    std::vector<Notice> notices;

private:
    InspectableSynth* synth;
};

std::array<float, kParams> programValues(InspectableSynth& synth, int program) {
    synth.setProgram(program);
    std::array<float, kParams> values{};
    for (int i = 0; i < kParams; ++i) values[i] = synth.getParameter(i);
    return values;
}

// The notices go to a recorder that replaces the editor the constructor made.
NoticeRecorder* listenTo(InspectableSynth& synth) {
    EditorBase* original = synth.getEditor();
    auto* recorder = new NoticeRecorder(&synth);
    delete original;
    return recorder;
}

}  // namespace

TEST(MalletSynthEdit, ReportsZTolAndAnEditorOnTopOfTheInstrumentsFlags) {
    MalletSynthEdit hosted(quietHost);
    EXPECT_EQ(hosted.getEffect()->uniqueID, fourCharCode('z', 'T', 'o', 'l'));
    EXPECT_EQ(hosted.getEffect()->flags, 0x131);
    ASSERT_NE(hosted.getEditor(), nullptr);

    MalletSynthEdit unhosted(nullptr);
    EXPECT_EQ(unhosted.getEffect()->uniqueID, fourCharCode('z', 'T', 'o', 'l'));
    EXPECT_EQ(unhosted.getEffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
}

TEST(MalletSynthEdit, SetProgramTellsTheEditorOncePerParameterInIndexOrderAfterTheInstrumentTookIt) {
    constexpr int kFrom = 0;
    constexpr int kTo = 1;
    InspectableSynth synth(quietHost);
    const auto target = programValues(synth, kTo);
    programValues(synth, kFrom);
    // Every factory program tunes its first mode alike.
    synth.setParameter(4, 0.5f);
    std::array<float, kParams> start{};
    for (int i = 0; i < kParams; ++i) start[i] = synth.getParameter(i);
    for (int i = 4; i < 12; ++i) ASSERT_NE(start[i], target[i]) << "program " << kTo << " cannot show the order";
    NoticeRecorder* recorder = listenTo(synth);

    synth.setProgram(kTo);
    ASSERT_EQ(recorder->notices.size(), static_cast<size_t>(kParams));
    for (int i = 0; i < kParams; ++i) {
        SCOPED_TRACE(i);
        const Notice& notice = recorder->notices[i];
        EXPECT_EQ(notice.index, i);
        EXPECT_EQ(notice.value, target[i]);
        for (int j = 0; j < kParams; ++j) EXPECT_EQ(notice.stored[j], j <= i ? target[j] : start[j]) << j;
    }
}

TEST(MalletSynthEdit, HostChangeReachesTheEditorAfterTheInstrumentStoredIt) {
    InspectableSynth synth(quietHost);
    NoticeRecorder* recorder = listenTo(synth);
    synth.setParameter(3, 0.9f);
    ASSERT_EQ(recorder->notices.size(), 1u);
    EXPECT_EQ(recorder->notices[0].index, 3);
    EXPECT_EQ(recorder->notices[0].stored[3], 0.9f);
}

TEST(MalletSynthEdit, MainGivesNothingWhenTheEditorCannotBeMadeAndTheNextInstanceLoads) {
    // Holds the shared wave tables, so that only the new object's own allocations are counted.
    MalletSynthEdit warmUp(quietHost);
    const int blocksBefore = heapBlocksInUse();
    failing_allocation::failAt(3);  // the plug-in object, its voices' cycle records, then its editor
    AEffect* effect = pluginMain(quietHost);
    failing_allocation::disarm();
    EXPECT_EQ(effect, nullptr);
    EXPECT_EQ(heapBlocksInUse(), blocksBefore);
    effect = pluginMain(quietHost);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

TEST(MalletSynthEdit, EditorWithoutItsPanelPictureRefusesToOpen) {
    MalletSynthEdit tablesHolder(quietHost);  // only this object's own allocations are counted
    failing_allocation::failAt(3);  // the voices' cycle records, the editor, then its panel picture
    MalletSynthEdit synth(quietHost);
    failing_allocation::disarm();
    auto* editor = static_cast<MalletEditor*>(synth.getEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getBackgroundImage(), nullptr);
    EXPECT_EQ(editor->getRect().right, 0);
    HWND host = newHostWindow();
    EXPECT_EQ(editor->editOpen(host), 0);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr);
    DestroyWindow(host);
}
