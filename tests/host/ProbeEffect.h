// An effect that logs which virtual operation a dispatcher call reached and
// with which arguments, so routing can be checked opcode by opcode.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "host/EditorBase.h"
#include "host/ExtendedEffect.h"

class ProbeEffect : public ExtendedEffect {
public:
    explicit ProbeEffect(audioMasterCallback callback = nullptr, int32_t programs = 4)
        : ExtendedEffect(callback, programs, 3) {}

    std::vector<std::string> log;
    float vu = 0.0f;
    bool keys = false;
    int* destroyed = nullptr;

    ~ProbeEffect() override {
        if (destroyed) ++*destroyed;
    }

    void note(const char* format, long long a = 0, long long b = 0, long long c = 0) {
        char line[128];
        std::snprintf(line, sizeof(line), format, a, b, c);
        log.emplace_back(line);
    }
    static long long p(const void* pointer) { return reinterpret_cast<intptr_t>(pointer); }

    void process(float**, float**, int32_t frames) override { note("process %lld", frames); }
    void processReplacing(float**, float**, int32_t frames) override {
        note("processReplacing %lld", frames);
    }
    void setParameter(int32_t index, float value) override {
        note("setParameter %lld %lld", index, static_cast<long long>(value * 1000));
    }
    void open() override { note("open"); }
    void close() override { note("close"); }
    void setProgram(int32_t program) override {
        note("setProgram %lld", program);
        ExtendedEffect::setProgram(program);
    }
    void setProgramName(char* name) override { note("setProgramName %lld", p(name)); }
    void getProgramName(char* name) override { note("getProgramName %lld", p(name)); }
    void getParamLabel(int32_t i, char* t) override { note("getParamLabel %lld %lld", i, p(t)); }
    void getParamDisplay(int32_t i, char* t) override { note("getParamDisplay %lld %lld", i, p(t)); }
    void getParamName(int32_t i, char* t) override { note("getParamName %lld %lld", i, p(t)); }
    float getVu() override { return vu; }
    int32_t getChunk(void** data, bool preset) override {
        note("getChunk %lld %lld", p(data), preset);
        return 77;
    }
    int32_t setChunk(void* data, int32_t size, bool preset) override {
        note("setChunk %lld %lld %lld", p(data), size, preset);
        return 78;
    }
    void setSampleRate(float rate) override {
        note("setSampleRate %lld", static_cast<long long>(rate));
        ExtendedEffect::setSampleRate(rate);
    }
    void setBlockSize(int32_t size) override {
        note("setBlockSize %lld", size);
        ExtendedEffect::setBlockSize(size);
    }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }
    int32_t processEvents(VstEvents* events) override {
        note("processEvents %lld", p(events));
        return 5;
    }
    bool canBeAutomated(int32_t index) override {
        note("canBeAutomated %lld", index);
        return index == 1;
    }
    bool stringToParameter(int32_t index, char* text) override {
        note("stringToParameter %lld %lld", index, p(text));
        return true;
    }
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override {
        note("getProgramNameIndexed %lld %lld %lld", category, index, p(text));
        return true;
    }
    bool copyProgram(int32_t destination) override {
        note("copyProgram %lld", destination);
        return true;
    }
    void connectInput(int32_t index, bool state) override { note("connectInput %lld %lld", index, state); }
    void connectOutput(int32_t index, bool state) override { note("connectOutput %lld %lld", index, state); }
    bool getInputProperties(int32_t index, VstPinProperties* pin) override {
        note("getInputProperties %lld %lld", index, p(pin));
        return true;
    }
    bool getOutputProperties(int32_t index, VstPinProperties* pin) override {
        note("getOutputProperties %lld %lld", index, p(pin));
        return true;
    }
    bool offlineNotify(void* files, int32_t count, bool start) override {
        note("offlineNotify %lld %lld %lld", p(files), count, start);
        return true;
    }
    bool offlinePrepare(void* task, int32_t count) override {
        note("offlinePrepare %lld %lld", p(task), count);
        return true;
    }
    bool offlineRun(void* task, int32_t count) override {
        note("offlineRun %lld %lld", p(task), count);
        return true;
    }
    bool processVarIo(void* io) override {
        note("processVarIo %lld", p(io));
        return true;
    }
    bool setSpeakerArrangement(void* input, void* output) override {
        note("setSpeakerArrangement %lld %lld", p(input), p(output));
        return true;
    }
    bool setBypass(bool state) override {
        note("setBypass %lld", state);
        return true;
    }
    bool getEffectName(char* t) override { note("getEffectName %lld", p(t)); return true; }
    bool getErrorText(char* t) override { note("getErrorText %lld", p(t)); return true; }
    bool getVendorString(char* t) override { note("getVendorString %lld", p(t)); return true; }
    bool getProductString(char* t) override { note("getProductString %lld", p(t)); return true; }
    int32_t getVendorVersion() override { return 9; }
    intptr_t vendorSpecific(int32_t a, intptr_t b, void* ptr, float opt) override {
        note("vendorSpecific %lld %lld %lld", a, b, p(ptr) + static_cast<long long>(opt));
        return 11;
    }
    int32_t canDo(char* text) override {
        note("canDo %lld", p(text));
        return -1;
    }
    int32_t getTailSize() override { return 12; }
    int32_t effectIdle() override { return 13; }
    bool setViewPosition(int32_t x, int32_t y) override {
        note("setViewPosition %lld %lld", x, y);
        return true;
    }
    bool getParameterProperties(int32_t index, void* properties) override {
        note("getParameterProperties %lld %lld", index, p(properties));
        return true;
    }
    bool keysRequired() override { return keys; }

    int32_t currentProgramNumber() const { return currentProgram; }
    int32_t storedBlockSize() const { return blockSize; }
    float storedSampleRate() const { return sampleRate; }
};

// An editor that logs the editor opcodes it receives.
class ProbeEditor : public EditorBase {
public:
    explicit ProbeEditor(EffectBase* owner, std::vector<std::string>& sink, int* deaths = nullptr)
        : EditorBase(owner), log(sink), destroyed(deaths) {}
    ~ProbeEditor() override {
        if (destroyed) ++*destroyed;
    }
    int32_t editGetRect(void*) override { log.emplace_back("editGetRect"); return 21; }
    int32_t editOpen(void*) override { log.emplace_back("editOpen"); return 22; }
    void editClose() override { log.emplace_back("editClose"); }
    void editIdle() override { log.emplace_back("editIdle"); }

private:
    std::vector<std::string>& log;
    int* destroyed;
};
