#include "tools/vsthost/PresetTransfer.h"

#include <algorithm>
#include <cctype>

#include "tools/vsthost/FileBytes.h"
#include "tools/vsthost/PluginReport.h"

namespace vsthost {
namespace {

constexpr size_t kLargestPreset = 64u << 20;

std::string idText(int32_t id) { return "\"" + fourCharText(id) + "\""; }

bool endsWith(const std::string& text, const char* ending) {
    const std::string tail(ending);
    if (text.size() < tail.size()) return false;
    return std::equal(tail.rbegin(), tail.rend(), text.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

const char* describeKind(PresetKind kind) {
    switch (kind) {
        case PresetKind::ProgramValues: return "a program as values";
        case PresetKind::ProgramChunk: return "a program as the plug-in's chunk";
        case PresetKind::BankPrograms: return "a bank of programs as values";
        case PresetKind::BankChunk: return "a bank as the plug-in's chunk";
    }
    return "";
}

std::string checkValueCounts(const AEffect& record, const Preset& preset) {
    for (const PresetProgram& program : preset.programs) {
        if (static_cast<int32_t>(program.values.size()) != record.numParams)
            return "its programs have " + std::to_string(program.values.size()) + " parameters; this plug-in has " +
                   std::to_string(record.numParams);
    }
    return {};
}

void setValues(PluginInstance& plugin, const PresetProgram& program) {
    for (size_t i = 0; i < program.values.size(); ++i) plugin.setParameter(static_cast<int32_t>(i), program.values[i]);
}

void setProgramName(PluginInstance& plugin, const std::string& name) {
    std::string text = name;
    plugin.dispatch(effSetProgramName, 0, 0, text.data());
}

bool setChunk(PluginInstance& plugin, const Preset& preset) {
    std::vector<uint8_t> bytes = preset.chunk;
    const int32_t index = preset.isBank() ? 0 : 1;
    return plugin.dispatch(effSetChunk, index, static_cast<intptr_t>(bytes.size()), bytes.data()) != 0;
}

PresetProgram currentProgram(PluginInstance& plugin, bool withValues) {
    PresetProgram program;
    program.name = plugin.text(effGetProgramName);
    for (int32_t i = 0; withValues && i < plugin.record()->numParams; ++i)
        program.values.push_back(plugin.getParameter(i));
    return program;
}

std::string takeChunk(PluginInstance& plugin, bool bank, Preset& preset) {
    void* data = nullptr;
    const intptr_t size = plugin.dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || data == nullptr) return "the plug-in gave no chunk";
    const auto* bytes = static_cast<const uint8_t*>(data);
    preset.chunk.assign(bytes, bytes + size);
    return {};
}

}  // namespace

std::string fitsPlugin(PluginInstance& plugin, const Preset& preset) {
    const AEffect& record = *plugin.record();
    if (preset.pluginId != record.uniqueID)
        return "it is a preset of the plug-in " + idText(preset.pluginId) + ", not of this one (" +
               idText(record.uniqueID) + ")";
    if (preset.isChunk()) {
        if ((record.flags & effFlagsProgramChunks) == 0) return "it holds a chunk, and this plug-in takes none";
        return {};
    }
    if (preset.isBank() && static_cast<int32_t>(preset.programs.size()) > record.numPrograms)
        return "its bank has " + std::to_string(preset.programs.size()) + " programs; this plug-in has " +
               std::to_string(record.numPrograms);
    return checkValueCounts(record, preset);
}

std::string applyPreset(PluginInstance& plugin, const Preset& preset) {
    if (preset.isChunk() && !setChunk(plugin, preset)) return "the plug-in refused the preset's chunk";
    if (preset.kind == PresetKind::ProgramValues) setValues(plugin, preset.programs.front());
    if (!preset.isBank()) {
        setProgramName(plugin, preset.programs.front().name);
        return {};
    }
    const intptr_t before = plugin.dispatch(effGetProgram);
    for (size_t i = 0; preset.kind == PresetKind::BankPrograms && i < preset.programs.size(); ++i) {
        plugin.dispatch(effSetProgram, 0, static_cast<intptr_t>(i));
        setProgramName(plugin, preset.programs[i].name);
        setValues(plugin, preset.programs[i]);
    }
    plugin.dispatch(effSetProgram, 0, preset.currentProgram >= 0 ? preset.currentProgram : before);
    return {};
}

std::string capturePreset(PluginInstance& plugin, bool bank, bool asValues, Preset& preset) {
    const AEffect& record = *plugin.record();
    const bool chunk = !asValues && (record.flags & effFlagsProgramChunks) != 0;
    preset.pluginId = record.uniqueID;
    preset.pluginVersion = record.version;
    preset.kind = bank ? (chunk ? PresetKind::BankChunk : PresetKind::BankPrograms)
                       : (chunk ? PresetKind::ProgramChunk : PresetKind::ProgramValues);
    preset.currentProgram = static_cast<int32_t>(plugin.dispatch(effGetProgram));
    preset.chunkCount = bank ? record.numPrograms : record.numParams;
    if (chunk) {
        if (!bank) preset.programs.push_back(currentProgram(plugin, false));
        return takeChunk(plugin, bank, preset);
    }
    if (!bank) {
        preset.programs.push_back(currentProgram(plugin, true));
        return {};
    }
    for (int32_t i = 0; i < record.numPrograms; ++i) {
        plugin.dispatch(effSetProgram, 0, i);
        preset.programs.push_back(currentProgram(plugin, true));
    }
    plugin.dispatch(effSetProgram, 0, preset.currentProgram);
    return {};
}

std::string loadPresetFile(PluginInstance& plugin, const std::string& path, std::FILE* out) {
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, kLargestPreset, bytes)) return "cannot read the preset file " + path;
    const PresetReading reading = parsePreset(bytes);
    std::string error = reading.error;
    if (error.empty()) error = fitsPlugin(plugin, reading.preset);
    if (error.empty()) error = applyPreset(plugin, reading.preset);
    if (!error.empty()) return path + ": " + error + "; nothing was loaded";
    std::fprintf(out, "Preset %s: %s\n", path.c_str(), describeKind(reading.preset.kind));
    return {};
}

std::string savePresetFile(PluginInstance& plugin, const std::string& path, bool asValues, std::FILE* out) {
    const bool bank = endsWith(path, ".fxb");
    if (!bank && !endsWith(path, ".fxp")) return "a preset file is named name.fxp (a program) or name.fxb (a bank)";
    Preset preset;
    const std::string error = capturePreset(plugin, bank, asValues, preset);
    if (!error.empty()) return error;
    const std::vector<uint8_t> bytes = encodePreset(preset);
    if (!writeFileBytes(path, bytes)) return "cannot write " + path;
    std::fprintf(out, "Wrote %s: %s (%lld bytes)\n", path.c_str(), describeKind(preset.kind),
                 static_cast<long long>(bytes.size()));
    return {};
}

}  // namespace vsthost
