// The instrument: seven programs of 19 parameters, no inputs, two outputs,
// MIDI notes played by the voice pool at their own sample.
//
// Threads: the engine (voice pool) is written only inside the processing
// calls. Parameter, program and sample-rate changes from any thread are
// stored at once (what getParameter and the editor read) and handed over to
// the engine at the start of the next processing call, in the order they
// were made. MIDI events are stored by processEvents and applied, each at its
// own frame, by the next processing call; both run on the audio thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "host/ExtendedEffect.h"
#include "instrument/FactoryPrograms.h"
#include "instrument/MalletProgram.h"
#include "instrument/MidiEventQueue.h"
#include "instrument/MixBuffers.h"
#include "instrument/SettingsHandOver.h"
#include "instrument/StateChunk.h"
#include "synth/VoicePool.h"

class MalletSynth : public ExtendedEffect {
public:
    static constexpr int32_t kProgramCount = kFactoryProgramCount;
    static constexpr int32_t kParamCount = kParameterCount;
    // Below this the vibrato would step past its table in one sample.
    static constexpr float kLowestSampleRate = 1000.0f;

    explicit MalletSynth(audioMasterCallback callback);

    // Programs and parameters. A parameter change is also stored in the
    // current program, so edits survive switching programs and a host's
    // save and restore.
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    // An index out of range gets an empty text.
    void getParamLabel(int32_t index, char* text) override;
    void getParamDisplay(int32_t index, char* text) override;
    void getParamName(int32_t index, char* text) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool copyProgram(int32_t destination) override;

    // The settings as one chunk: the bank (every program, its name and the
    // current program), or with isPreset the current program alone. What
    // getChunk gives stays valid until its next call. setChunk takes a chunk
    // whole or, when anything in it is wrong, refuses it (0) and changes nothing.
    int32_t getChunk(void** data, bool isPreset) override;
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;

    // Identity and capabilities.
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    bool getEffectName(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1; }
    int32_t canDo(char* text) override;
    // Tells of MIDI events dropped because a block brought more than the
    // event storage holds, since the text was last asked for; false when none was.
    bool getErrorText(char* text) override;

    // Audio and events.
    void setSampleRate(float rate) override;
    void setBlockSize(int32_t size) override;
    void resume() override;
    int32_t processEvents(VstEvents* events) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;


protected:
    MalletProgram programs[kProgramCount];
    VoicePool engine;
    // The current values, with the sample rate, on their way to the engine.
    SettingsHandOver settings;
    MidiEventQueue eventQueue;
    // Counts resumes, which the host calls from a thread of its own.
    std::atomic<uint32_t> runs{0};
    MixBuffers mix;

private:
    using MixWriter = void (*)(const float* mix, float* output, int32_t count);

    void applySettings();
    void applyMidi(const QueuedMidiEvent& event);
    void render(float** outputs, int32_t frames, MixWriter write);
    // Renders frames [begin, end) into the mixing buffers, applying the
    // events due in between at their frames; next is the first event not
    // applied yet, and moves on.
    void renderChunk(int32_t begin, int32_t end, int32_t& next);

    ProgramState programState(int32_t index);
    void storeProgram(int32_t index, const ProgramState& state);

    // Program names are written and read only by the host's program opcodes,
    // never on the audio path.
    std::mutex nameLock;
    // What getChunk last handed out; the lock keeps two savers from writing it at once.
    uint8_t chunkBytes[state_chunk::kBankSize] = {};
    std::mutex chunkLock;
};
