// The finished plug-in's record read as raw bytes at the offsets a host of
// this pointer size uses, independently of our own structure definition, and
// both exported entry names giving a working plug-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "host/VstInterface.h"
#include "tools/vsthost/HostCallback.h"
#include "tools/vsthost/PluginLibrary.h"

namespace vsthost {
namespace {

constexpr bool k64 = sizeof(void*) == 8;

struct Offsets {
    size_t dispatcher, processReplacing, numPrograms, numParams, numOutputs, flags, uniqueID, version,
        doubleReplacing, end;
};
// Every pointer-sized item (resvd1 and resvd2 included) is 8 bytes and aligned in 64-bit hosts.
constexpr Offsets kOffsets = k64 ? Offsets{8, 120, 40, 44, 52, 56, 112, 116, 128, 192}
                                 : Offsets{4, 80, 20, 24, 32, 36, 72, 76, 84, 144};

template <typename T>
T fieldAt(const AEffect* effect, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(effect) + offset, sizeof value);
    return value;
}

intptr_t VSTCALLBACK answerVersion(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(PluginRecordLayout, FieldsSitWhereAHostOfThisPointerSizeReadsThem) {
    PluginLibrary library;
    ASSERT_EQ(library.load(ZAV_PLUGIN_PATH), "");
    AEffect* effect = library.instantiate(hostCallback);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(fieldAt<int32_t>(effect, 0), fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(fieldAt<int32_t>(effect, kOffsets.numPrograms), 7);
    EXPECT_EQ(fieldAt<int32_t>(effect, kOffsets.numParams), 19);
    EXPECT_EQ(fieldAt<int32_t>(effect, kOffsets.numOutputs), 2);
    EXPECT_NE(fieldAt<int32_t>(effect, kOffsets.flags) & effFlagsIsSynth, 0);
    EXPECT_EQ(fieldAt<int32_t>(effect, kOffsets.uniqueID), fourCharCode('z', 'T', 'o', 'l'));
    EXPECT_EQ(fieldAt<int32_t>(effect, kOffsets.version), 1);
    EXPECT_EQ(fieldAt<void*>(effect, kOffsets.doubleReplacing), nullptr);
    for (size_t at = kOffsets.doubleReplacing + sizeof(void*); at < kOffsets.end; ++at)
        EXPECT_EQ(fieldAt<unsigned char>(effect, at), 0) << "reserved byte " << at;

    // The dispatcher read from its slot answers, with a pointer-sized value, and
    // the processing entry read from its slot renders a note into both outputs.
    auto dispatcher = fieldAt<AEffectDispatcherProc>(effect, kOffsets.dispatcher);
    auto processReplacing = fieldAt<AEffectProcessProc>(effect, kOffsets.processReplacing);
    ASSERT_NE(dispatcher, nullptr);
    ASSERT_NE(processReplacing, nullptr);
    char vendor[64] = {};
    dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    dispatcher(effect, effGetVendorString, 0, 0, vendor, 0.0f);
    EXPECT_STREQ(vendor, "zav");
    dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
    dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.deltaFrames = 16;
    note.midiData[0] = 0x90;
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    // The list as a 64-bit host lays it out: count, pointer-sized reserved field, pointers.
    alignas(8) unsigned char list[3 * sizeof(void*)] = {};
    const int32_t one = 1;
    VstEvent* event = reinterpret_cast<VstEvent*>(&note);
    std::memcpy(list, &one, sizeof one);
    std::memcpy(list + 2 * sizeof(void*), &event, sizeof event);
    dispatcher(effect, effProcessEvents, 0, 0, list, 0.0f);
    float left[256] = {};
    float right[256] = {};
    float* outputs[2] = {left, right};
    processReplacing(effect, nullptr, outputs, 256);
    float loudest = 0.0f;
    for (int i = 0; i < 256; ++i) loudest = std::max({loudest, std::abs(left[i]), std::abs(right[i])});
    EXPECT_EQ(left[15], 0.0f) << "the note sounded before its position";
    EXPECT_GT(loudest, 0.001f);
    dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(PluginRecordLayout, BothEntryNamesGiveAPlugin) {
    PluginLibrary library;
    ASSERT_EQ(library.load(ZAV_PLUGIN_PATH), "");
    for (const char* name : {"main", "VSTPluginMain"}) {
        if (!k64 && std::string(name) == "VSTPluginMain") continue;  // the 32-bit DLL exports only main
        auto entry = reinterpret_cast<AEffect*(VSTCALLBACK*)(audioMasterCallback)>(library.symbol(name));
        ASSERT_NE(entry, nullptr) << name;
        AEffect* effect = entry(answerVersion);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    }
}

}  // namespace
}  // namespace vsthost
