// Base class of every plug-in object: owns the AEffect record handed to the
// host, turns the dispatcher opcodes 0 to 24 into virtual operations and wraps
// the first host callback opcodes.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/VstInterface.h"

class EditorBase;

class EffectBase {
public:
    EffectBase(audioMasterCallback callback, int32_t programs, int32_t params);
    virtual ~EffectBase();
    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    // Virtual operations, in the order hosts and subclasses rely on.
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    virtual void automateParameter(int32_t index, float value);
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
    virtual intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual int32_t getProgram() { return currentProgram; }
    virtual void setProgram(int32_t program) { currentProgram = program; }
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParamLabel(int32_t index, char* text);
    virtual void getParamDisplay(int32_t index, char* text);
    virtual void getParamName(int32_t index, char* text);
    virtual float getVu() { return 0.0f; }
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(int32_t size) { blockSize = size; }
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setEffectId(int32_t id) { effect.uniqueID = id; }
    virtual void setInputCount(int32_t count) { effect.numInputs = count; }
    virtual void setOutputCount(int32_t count) { effect.numOutputs = count; }
    virtual void setVuFlag(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void setClipFlag(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void setMonoFlag(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void setReplacingFlag(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void setChunksFlag(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setRealQualities(int32_t qualities) { effect.realQualities = qualities; }
    virtual void setOffQualities(int32_t qualities) { effect.offQualities = qualities; }
    virtual void setInitialDelay(int32_t delay) { effect.initialDelay = delay; }
    virtual float currentSampleRate() { return sampleRate; }
    virtual int32_t currentBlockSize() { return blockSize; }
    virtual int32_t hostVersion();
    virtual int32_t hostCurrentId();
    virtual int32_t hostIdle();
    virtual bool hostInputConnected(int32_t index);
    virtual bool hostOutputConnected(int32_t index);
    virtual void decibelsToText(float value, char* text);
    virtual void hertzToText(float samples, char* text);
    virtual void millisecondsToText(float samples, char* text);
    virtual void floatToText(float value, char* text);
    virtual void integerToText(int32_t value, char* text);

    void attachEditor(EditorBase* newEditor);
    EditorBase* getEditor() const { return editor; }
    AEffect* getEffect() { return &effect; }
    audioMasterCallback getHostCallback() const { return hostCallback; }

    // Sends one callback to the host; 0 when there is no host.
    intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

protected:
    void setFlag(int32_t bit, bool state);

    float sampleRate = 44100.0f;
    EditorBase* editor = nullptr;
    audioMasterCallback hostCallback;
    int32_t programCount;
    int32_t paramCount;
    // Read by automation on the audio thread while the host selects programs.
    std::atomic<int32_t> currentProgram{0};
    int32_t blockSize = 1024;
    AEffect effect;
};

// The plug-in object for a host: built by main(), destroyed on effClose.
// Null when it cannot be built whole (memory ran out).
EffectBase* createPlugin(audioMasterCallback hostCallback);
