// The instrument sounds the same, bit for bit, on every voice engine: two
// instances, one on the scalar engine and one on a vector engine, take the
// same random session through their host interface: notes and note-offs at
// random frames (also past the block's end), controllers 120 and 126,
// program and parameter changes, sample-rate changes, and processing calls
// of every length, some longer than the instrument's 256-frame chunks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

#include "synth/lanes/InstructionSet.h"
#include "tests/instrument/HostedSynth.h"

namespace {

// The pool reads ZAV_ENGINE when the instrument makes it; an empty value
// removes the variable again.
void setEngineVariable(const char* value) {
#ifdef _WIN32
    ASSERT_EQ(_putenv_s("ZAV_ENGINE", value), 0);
#else
    ASSERT_EQ(value[0] != 0 ? setenv("ZAV_ENGINE", value, 1) : unsetenv("ZAV_ENGINE"), 0);
#endif
}

std::unique_ptr<HostedSynth> instrumentOn(InstructionSet engine) {
    setEngineVariable(instructionSetName(engine));
    auto hosted = std::make_unique<HostedSynth>();
    setEngineVariable("");
    return hosted;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class Session {
public:
    explicit Session(uint32_t seed) : random(seed) {}
    int32_t below(int32_t limit) { return static_cast<int32_t>(random() % static_cast<uint32_t>(limit)); }

    // Up to eight events for a block of `frames`, a few of them beyond it.
    std::vector<VstMidiEvent> events(int32_t frames) {
        std::vector<VstMidiEvent> list(static_cast<std::size_t>(below(9)));
        for (VstMidiEvent& event : list) {
            const int32_t frame = below(frames + frames / 8 + 1);
            const int32_t kind = below(20);
            const auto channel = static_cast<unsigned char>(below(16));
            const auto note = static_cast<unsigned char>(below(128));
            if (kind == 0)
                event = midiEvent(static_cast<unsigned char>(0xB0 | channel),
                                  static_cast<unsigned char>(below(2) == 0 ? 120 : 126), 0, frame);
            else if (kind < 6)
                event = midiEvent(static_cast<unsigned char>(0x80 | channel), note, 64, frame);
            else
                event = midiEvent(static_cast<unsigned char>(0x90 | channel), note,
                                  static_cast<unsigned char>(below(128)), frame);
        }
        return list;
    }

private:
    std::mt19937 random;
};

void playBoth(InstructionSet engine, uint32_t seed) {
    auto scalar = instrumentOn(InstructionSet::Scalar);
    auto vector = instrumentOn(engine);
    Session session(seed);
    constexpr float kRates[] = {22050.0f, 44100.0f, 48000.0f, 96000.0f};
    for (int32_t step = 0; step < 300; ++step) {
        const int32_t action = session.below(100);
        if (action < 3) {
            const float rate = kRates[session.below(4)];
            scalar->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
            vector->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        } else if (action < 8) {
            const int32_t program = session.below(7);
            scalar->dispatch(effSetProgram, 0, program);
            vector->dispatch(effSetProgram, 0, program);
        } else if (action < 20) {
            const int32_t index = session.below(19);
            const float value = static_cast<float>(session.below(1001)) / 1000.0f;
            scalar->setParameter(index, value);
            vector->setParameter(index, value);
        } else {
            const int32_t frames = session.below(4) == 0 ? 1 + session.below(8) : 1 + session.below(700);
            std::vector<VstMidiEvent> events = session.events(frames);
            EventList list;
            for (VstMidiEvent& event : events)
                list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&event);
            scalar->dispatch(effProcessEvents, 0, 0, list.asEvents());
            vector->dispatch(effProcessEvents, 0, 0, list.asEvents());
            const StereoBlock expected = scalar->render(frames);
            const StereoBlock actual = vector->render(frames);
            ASSERT_TRUE(sameBits(expected.left, actual.left) && sameBits(expected.right, actual.right))
                << "block of " << frames << " frames at step " << step;
        }
    }
}

// A chord left to ring for seconds, with now and then a note-off, a new
// strike or a controller in the long quiet stretch: the voices die away into
// the cycles of their modes' flushed states, where the vector engines read
// the modes rather than compute them, and finish there.
void playQuietly(InstructionSet engine, uint32_t seed, int32_t program) {
    auto scalar = instrumentOn(InstructionSet::Scalar);
    auto vector = instrumentOn(engine);
    Session session(seed);
    for (HostedSynth* synth : {scalar.get(), vector.get()}) {
        synth->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        synth->dispatch(effSetProgram, 0, program);
    }
    std::vector<VstMidiEvent> chord;
    for (int32_t note = 0; note < 12; ++note)
        chord.push_back(noteOn(30 + 5 * note, note));
    for (int32_t frames = 0; frames < 4 * 44100;) {
        EventList list;
        for (VstMidiEvent& event : chord)
            list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&event);
        chord.clear();
        const int32_t block = 1 + session.below(2048);
        std::vector<VstMidiEvent> events = session.below(40) == 0 ? session.events(block) : std::vector<VstMidiEvent>{};
        for (VstMidiEvent& event : events)
            list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&event);
        scalar->dispatch(effProcessEvents, 0, 0, list.asEvents());
        vector->dispatch(effProcessEvents, 0, 0, list.asEvents());
        const StereoBlock expected = scalar->render(block);
        const StereoBlock actual = vector->render(block);
        ASSERT_TRUE(sameBits(expected.left, actual.left) && sameBits(expected.right, actual.right))
            << "block of " << block << " frames at frame " << frames;
        frames += block;
    }
}

}  // namespace

TEST(EngineIdentity, ChordsLeftToRingSoundTheSameOnEveryEngine) {
    for (InstructionSet engine : {InstructionSet::Sse2, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (!instructionSetAvailable(engine)) continue;
        for (int32_t program : {0, 2, 4}) {
            SCOPED_TRACE(testing::Message() << instructionSetName(engine) << ", program " << program);
            playQuietly(engine, static_cast<uint32_t>(program + 1), program);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(EngineIdentity, RandomSessionsSoundTheSameOnEveryEngine) {
    for (InstructionSet engine : {InstructionSet::Sse2, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (!instructionSetAvailable(engine)) continue;
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(testing::Message() << instructionSetName(engine) << ", seed " << seed);
            playBoth(engine, seed);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}
