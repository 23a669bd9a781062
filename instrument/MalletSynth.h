// The instrument: seven programs of 19 parameters, no inputs, two outputs,
// MIDI notes played by the voice pool with sample-accurate starts.
#pragma once

#include <cstdint>

#include "host/ExtendedEffect.h"
#include "instrument/MalletProgram.h"
#include "instrument/MixBuffers.h"
#include "synth/VoicePool.h"

class MalletSynth : public ExtendedEffect {
public:
    static constexpr int32_t kProgramCount = 7;
    static constexpr int32_t kParamCount = MalletProgram::kValueCount;
    // Below this the vibrato would step past its table in one sample.
    static constexpr float kLowestSampleRate = 1000.0f;

    explicit MalletSynth(audioMasterCallback callback);

    // Programs and parameters.
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParamLabel(int32_t index, char* text) override;
    void getParamDisplay(int32_t index, char* text) override;
    void getParamName(int32_t index, char* text) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool copyProgram(int32_t destination) override;

    // Identity and capabilities.
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    bool getEffectName(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1; }
    int32_t canDo(char* text) override;

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
    float paramValues[kParamCount] = {};
    int32_t startOffset[VoicePool::kSlotCount] = {};
    MixBuffers mix;

private:
    using MixWriter = void (*)(const float* mix, float* output, int32_t count);

    void handleMidi(const VstMidiEvent& event);
    void render(float** outputs, int32_t frames, MixWriter write);
    void renderChunk(int32_t begin, int32_t count);
};
