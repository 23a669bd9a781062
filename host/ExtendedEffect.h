// The second half of the interface: dispatcher opcodes 25 to 58, the host
// callback opcodes 6 to 42 and the flag bits 0x100 to 0x800.
#pragma once

#include "host/EffectBase.h"

class ExtendedEffect : public EffectBase {
public:
    ExtendedEffect(audioMasterCallback callback, int32_t programs, int32_t params)
        : EffectBase(callback, programs, params) {}

    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    // Virtual operations continuing the order of EffectBase.
    virtual void hostWantMidi(int32_t filter);
    virtual VstTimeInfo* hostGetTime(int32_t filter);
    virtual int32_t hostTempoAt(int32_t samplePosition);
    virtual int32_t processEvents(VstEvents*) { return 0; }
    virtual int32_t hostAutomatableCount();
    virtual int32_t hostParameterQuantization();
    virtual bool canBeAutomated(int32_t) { return true; }
    virtual bool stringToParameter(int32_t, char*) { return false; }
    virtual float channelParameter(int32_t, int32_t) { return 0.0f; }
    virtual int32_t getNumProgramCategories() { return 1; }
    virtual bool getProgramNameIndexed(int32_t, int32_t, char*) { return false; }
    virtual bool copyProgram(int32_t) { return false; }
    virtual bool hostIOChanged();
    virtual bool hostNeedIdle();
    virtual bool hostSizeWindow(int32_t width, int32_t height);
    virtual float hostUpdateSampleRate();
    virtual int32_t hostUpdateBlockSize();
    virtual int32_t hostInputLatency();
    virtual int32_t hostOutputLatency();
    virtual AEffect* hostPreviousPlug();
    virtual AEffect* hostNextPlug();
    virtual void connectInput(int32_t, bool) {}
    virtual void connectOutput(int32_t, bool) {}
    virtual bool getInputProperties(int32_t, VstPinProperties*) { return false; }
    virtual bool getOutputProperties(int32_t, VstPinProperties*) { return false; }
    virtual int32_t getPlugCategory();
    virtual int32_t hostReplaceOrAccumulate();
    virtual int32_t hostProcessLevel();
    virtual int32_t hostAutomationState();
    virtual void setAsyncFlag(bool state) { setFlag(effFlagsExtIsAsync, state); }
    virtual void setExternalBufferFlag(bool state) { setFlag(effFlagsExtHasBuffer, state); }
    virtual int32_t getCurrentPosition() { return 0; }
    virtual float* getDestinationBuffer() { return nullptr; }
    virtual bool hostOfflineRead(void* task, int32_t option, bool readSource);
    virtual bool hostOfflineWrite(void* task, int32_t option);
    virtual bool hostOfflineStart(void* files, int32_t fileCount, int32_t newFileCount);
    virtual int32_t hostOfflineCurrentPass();
    virtual int32_t hostOfflineCurrentMetaPass();
    virtual bool offlineNotify(void*, int32_t, bool) { return false; }
    virtual bool offlinePrepare(void*, int32_t) { return false; }
    virtual bool offlineRun(void*, int32_t) { return false; }
    virtual int32_t offlinePassCount() { return 0; }
    virtual int32_t offlineMetaPassCount() { return 0; }
    virtual void hostSetOutputSampleRate(float rate);
    virtual bool hostSpeakerArrangement(void* input, void* output);
    virtual bool hostVendorString(char* text);
    virtual bool hostProductString(char* text);
    virtual int32_t hostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t a, intptr_t b, void* ptr, float opt);
    virtual int32_t hostCanDo(char* text);
    virtual void setSynthFlag(bool state) { setFlag(effFlagsIsSynth, state); }
    virtual void setNoSoundInStopFlag(bool state) { setFlag(effFlagsNoSoundInStop, state); }
    virtual int32_t hostLanguage();
    virtual void* hostOpenWindow(void* window);
    virtual bool hostCloseWindow(void* window);
    virtual void* hostDirectory();
    virtual bool hostUpdateDisplay();
    virtual bool processVarIo(void*) { return false; }
    virtual bool setSpeakerArrangement(void*, void*) { return false; }
    virtual void setBlockSizeAndSampleRate(int32_t size, float rate);
    virtual bool setBypass(bool) { return false; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getErrorText(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    virtual intptr_t vendorSpecific(int32_t, intptr_t, void*, float) { return 0; }
    virtual int32_t canDo(char*) { return 0; }
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition(int32_t, int32_t) { return false; }
    virtual int32_t getTailSize() { return 0; }
    virtual int32_t effectIdle() { return 0; }
    virtual bool getParameterProperties(int32_t, void*) { return false; }
    virtual bool keysRequired() { return false; }
    virtual int32_t getVstVersion() { return 2; }

private:
    bool hostAnswersYes(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    intptr_t dispatchExtended(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
};

// The capability words of the interface, for subclasses that want them.
extern const char* const kHostCanDos[13];
extern const char* const kPlugCanDos[23];
