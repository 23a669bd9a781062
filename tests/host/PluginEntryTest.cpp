#include <gtest/gtest.h>

#include "host/PluginEntry.h"
#include "tests/host/ProbeEffect.h"
#include "tests/host/RecordingHost.h"

namespace {
int created = 0;
int destroyed = 0;
bool failAllocation = false;
}  // namespace

// The test program supplies the plug-in object main() builds.
EffectBase* createPlugin(audioMasterCallback hostCallback) {
    if (failAllocation) return nullptr;
    ++created;
    auto* effect = new ProbeEffect(hostCallback);
    effect->destroyed = &destroyed;
    return effect;
}

namespace {

class PluginEntry : public ::testing::Test {
protected:
    void SetUp() override {
        RecordingHost::reset();
        created = destroyed = 0;
        failAllocation = false;
    }
};

TEST_F(PluginEntry, HostAnsweringZeroToVersionGetsNothing) {
    RecordingHost::versionAnswer = 0;
    EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
    EXPECT_EQ(created, 0);
    ASSERT_EQ(RecordingHost::calls.size(), 1u);
    EXPECT_EQ(RecordingHost::calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(RecordingHost::calls[0].effect, nullptr);
}

TEST_F(PluginEntry, ReturnsTheRecordOfANewObject) {
    AEffect* record = pluginMain(RecordingHost::callback);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->magic, fourCharCode('V', 's', 't', 'P'));
    auto* object = static_cast<EffectBase*>(record->object);
    EXPECT_EQ(object->getEffect(), record);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(PluginEntry, AFailedInstanceGivesNullAndTheNextLoads) {
    failAllocation = true;
    EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
    failAllocation = false;
    AEffect* record = pluginMain(RecordingHost::callback);
    ASSERT_NE(record, nullptr);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(pluginMain(nullptr), nullptr);
}

}  // namespace
