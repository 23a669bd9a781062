#include "synth/VoicePool.h"

#include "synth/ParameterIndex.h"

namespace {
constexpr int32_t kHighestNote = 127;
constexpr float kVelocityScale = 0.007874016f;  // 1/127
constexpr double kPanPerNote = 0.0078125;       // 1/128
}  // namespace

VoicePool::VoicePool()
{
    VoiceLanes::prepareTables(voices[0].getVibrato().tableEntries());
    useInstructionSet(instructionSetFromEnvironment());
}

InstructionSet VoicePool::useInstructionSet(InstructionSet wanted)
{
    setInUse = instructionSetAvailable(wanted) ? wanted : bestInstructionSet();
    // A wide set's file is not entered, not even for its table, on a
    // processor without that set.
    switch (setInUse) {
    case InstructionSet::Avx512:
        lanes.useKernels(avx2LaneKernels(), &avx512LaneKernels());
        break;
    case InstructionSet::Avx2:
        lanes.useKernels(avx2LaneKernels(), nullptr);
        break;
    default:
        lanes.useKernels(sse2LaneKernels(), nullptr);
        break;
    }
    return setInUse;
}

void VoicePool::setSampleRate(float hz)
{
    const float before = voices[0].getSampleRate();
    for (StrikeVoice& each : voices)
        each.setSampleRate(hz);
    // Voices tuned at the old rate would ring on off pitch until they end.
    if (voices[0].getSampleRate() != before)
        allNotesOff();
}

void VoicePool::setParameter(int32_t index, float value)
{
    if (index < 0 || index >= kParameterCount)
        return;
    if (index == kStereoSpread)
        monoShare = static_cast<float>(1.0 - toUnitRange(value));
    for (StrikeVoice& each : voices)
        each.setParameter(index, value);
}

int32_t VoicePool::noteOn(int32_t note, int32_t velocity)
{
    note &= kHighestNote;
    velocity = velocity < 0 ? 0 : (velocity > kHighestNote ? kHighestNote : velocity);
    int32_t slot = activeSlotWithNote(note);
    if (slot < kSlotCount) {
        strikeSlot(slot, note, velocity);
        return kSlotCount;
    }
    // A note-off for a note that does not sound must not take or steal a
    // slot: that would retune or cut a note the musician still hears.
    if (velocity == 0)
        return kSlotCount;
    slot = freeSlot();
    const bool tookFreeSlot = slot < kSlotCount;
    if (!tookFreeSlot)
        slot = lowestNoteSlot();
    slotNote[slot] = note;
    active[slot] = true;
    // Whatever the slot held before would ring out through the new tuning.
    voices[slot].silence();
    strikeSlot(slot, note, velocity);
    return tookFreeSlot ? slot : kSlotCount;
}

void VoicePool::allNotesOff()
{
    for (bool& inUse : active)
        inUse = false;
}

void VoicePool::renderSlot(int32_t slot, float* left, float* right, int32_t count)
{
    if (slot < 0 || slot >= kSlotCount || left == nullptr || right == nullptr)
        return;
    StrikeVoice& playing = voices[slot];
    const double rightGain = rightGainOf(slot);
    const double leftGain = leftGainOf(slot);
    for (int32_t i = 0; i < count && active[slot]; ++i) {
        if (playing.isFinished()) {
            active[slot] = false;
            break;
        }
        const float x = playing.tick();
        right[i] = static_cast<float>(right[i] + x * rightGain);
        left[i] = static_cast<float>(left[i] + x * leftGain);
    }
}

void VoicePool::render(float* left, float* right, int32_t count)
{
    if (setInUse == InstructionSet::Scalar) {
        for (int32_t slot = 0; slot < kSlotCount; ++slot) {
            if (active[slot])
                renderSlot(slot, left, right, count);
        }
        return;
    }
    if (left == nullptr || right == nullptr || count <= 0)
        return;
    bool anyActive = false;
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        if (active[slot]) {
            leftGains[slot] = leftGainOf(slot);
            rightGains[slot] = rightGainOf(slot);
            anyActive = true;
        }
    }
    if (!anyActive)
        return;
    lanes.render({voices, active, leftGains, rightGains}, left, right, count);
}

double VoicePool::rightGainOf(int32_t slot) const
{
    const double share = monoShare;
    return share + (1.0 - share) * slotPan[slot];
}

double VoicePool::leftGainOf(int32_t slot) const
{
    const double share = monoShare;
    return share + (1.0 - share) * (1.0 - slotPan[slot]);
}

int32_t VoicePool::activeSlotWithNote(int32_t note) const
{
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        if (active[slot] && slotNote[slot] == note)
            return slot;
    }
    return kSlotCount;
}

int32_t VoicePool::freeSlot() const
{
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        if (!active[slot])
            return slot;
    }
    return kSlotCount;
}

int32_t VoicePool::lowestNoteSlot() const
{
    int32_t lowest = 0;
    for (int32_t slot = 1; slot < kSlotCount; ++slot) {
        if (slotNote[slot] < slotNote[lowest])
            lowest = slot;
    }
    return lowest;
}

void VoicePool::strikeSlot(int32_t slot, int32_t note, int32_t velocity)
{
    const auto frequency = static_cast<float>(noteFrequencies.frequency(note));
    const auto amplitude = static_cast<float>(velocity * static_cast<double>(kVelocityScale));
    voices[slot].strike(frequency, amplitude, note);
    slotPan[slot] = static_cast<float>(note * kPanPerNote);
}
