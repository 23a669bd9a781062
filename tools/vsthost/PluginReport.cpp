#include "tools/vsthost/PluginReport.h"

#include <cctype>
#include <string_view>

namespace vsthost {
namespace {

constexpr const char* kPluginCanDoWords[] = {
    "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents", "receiveVstMidiEvent",
    "receiveVstTimeInfo", "offline", "plugAsChannelInsert", "plugAsSend", "mixDryWet", "noRealTime",
    "multipass", "metapass", "1in1out", "1in2out", "2in1out", "2in2out", "2in4out", "4in2out", "4in4out",
    "4in8out", "8in4out", "8in8out",
};

struct FlagName {
    int32_t bit;
    const char* name;
};

constexpr FlagName kFlagNames[] = {
    {effFlagsHasEditor, "has editor"},       {effFlagsHasClip, "clip display"},
    {effFlagsHasVu, "VU display"},           {effFlagsCanMono, "can process mono"},
    {effFlagsCanReplacing, "replacing"},     {effFlagsProgramChunks, "programs as chunks"},
    {effFlagsIsSynth, "instrument"},         {effFlagsNoSoundInStop, "silent when stopped"},
    {effFlagsExtIsAsync, "asynchronous"},    {effFlagsExtHasBuffer, "external buffer"},
};

constexpr const char* kCategoryNames[] = {
    "unknown", "effect", "instrument", "analysis", "mastering", "spatialiser",
    "room effect", "surround effect", "restoration", "offline", "shell", "generator",
};

void printLine(std::FILE* out, const char* label, const std::string& value) {
    std::fprintf(out, "%-16s %s\n", label, value.c_str());
}

void printIdentity(PluginInstance& plugin, std::FILE* out) {
    const AEffect& record = *plugin.record();
    printLine(out, "Magic:", fourCharText(record.magic));
    char id[32];
    std::snprintf(id, sizeof id, " (0x%08X)", static_cast<unsigned>(record.uniqueID));
    printLine(out, "Unique ID:", fourCharText(record.uniqueID) + id);
    printLine(out, "Version:", std::to_string(record.version));
    printLine(out, "Flags:", describeFlags(record.flags));
    printLine(out, "Programs:", std::to_string(record.numPrograms));
    printLine(out, "Parameters:", std::to_string(record.numParams));
    printLine(out, "Inputs:", std::to_string(record.numInputs));
    printLine(out, "Outputs:", std::to_string(record.numOutputs));
    printLine(out, "Initial delay:", std::to_string(record.initialDelay) + " samples");
    printLine(out, "Effect name:", plugin.text(effGetEffectName));
    printLine(out, "Vendor:", plugin.text(effGetVendorString));
    printLine(out, "Product:", plugin.text(effGetProductString));
    printLine(out, "Vendor version:", std::to_string(plugin.dispatch(effGetVendorVersion)));
    printLine(out, "Category:", describeCategory(plugin.dispatch(effGetPlugCategory)));
    printLine(out, "VST version:", std::to_string(plugin.dispatch(effGetVstVersion)));
}

void printCanDo(PluginInstance& plugin, std::FILE* out) {
    std::string yes;
    std::string no;
    for (const char* word : kPluginCanDoWords) {
        std::string text = word;
        const intptr_t answer = plugin.dispatch(effCanDo, 0, 0, text.data());
        std::string& list = answer > 0 ? yes : no;
        if (answer != 0) list += (list.empty() ? "" : ", ") + std::string(word);
    }
    printLine(out, "Can do:", yes.empty() ? "(nothing)" : yes);
    printLine(out, "Cannot do:", no.empty() ? "(nothing said)" : no);
}

void printPrograms(PluginInstance& plugin, std::FILE* out) {
    std::fprintf(out, "Programs (current: %ld):\n", static_cast<long>(plugin.dispatch(effGetProgram)));
    const auto names = plugin.programNames();
    for (size_t i = 0; i < names.size(); ++i) std::fprintf(out, "  %3d  %s\n", static_cast<int>(i), names[i].c_str());
}

void printParameters(PluginInstance& plugin, std::FILE* out) {
    std::fprintf(out, "Parameters (number, name, display, label, value 0 to 1):\n");
    const auto names = plugin.parameterNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        std::fprintf(out, "  %3d  %-20s %-12s %-8s %.6f\n", static_cast<int>(i), names[i].c_str(),
                     plugin.text(effGetParamDisplay, index).c_str(), plugin.text(effGetParamLabel, index).c_str(),
                     static_cast<double>(plugin.getParameter(index)));
    }
}

void printOutputs(PluginInstance& plugin, std::FILE* out) {
    std::fprintf(out, "Output pins:\n");
    for (int32_t i = 0; i < plugin.outputCount(); ++i) {
        VstPinProperties pin{};
        if (plugin.dispatch(effGetOutputProperties, i, 0, &pin) == 0) {
            std::fprintf(out, "  %3d  (not described)\n", static_cast<int>(i));
            continue;
        }
        pin.label[sizeof pin.label - 1] = '\0';
        std::fprintf(out, "  %3d  %-20s %s%s\n", static_cast<int>(i), pin.label,
                     (pin.flags & kVstPinIsActive) ? "active" : "inactive",
                     (pin.flags & kVstPinIsStereo) ? ", stereo pair" : "");
    }
}

}  // namespace

std::string fourCharText(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>(static_cast<uint32_t>(code) >> shift);
        text += std::isprint(c) ? static_cast<char>(c) : '.';
    }
    return text;
}

std::string describeFlags(int32_t flags) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(flags));
    std::string text = hex;
    std::string names;
    int32_t known = 0;
    for (const FlagName& flag : kFlagNames) {
        known |= flag.bit;
        if (flags & flag.bit) names += (names.empty() ? "" : ", ") + std::string(flag.name);
    }
    if (flags & ~known) names += (names.empty() ? "" : ", ") + std::string("unknown bits");
    return names.empty() ? text : text + ": " + names;
}

std::string describeCategory(intptr_t category) {
    const auto count = static_cast<intptr_t>(sizeof kCategoryNames / sizeof kCategoryNames[0]);
    const std::string name = (category >= 0 && category < count) ? kCategoryNames[category] : "not known";
    return std::to_string(category) + " (" + name + ")";
}

void printPluginReport(PluginInstance& plugin, std::FILE* out) {
    printIdentity(plugin, out);
    printCanDo(plugin, out);
    printPrograms(plugin, out);
    printParameters(plugin, out);
    printOutputs(plugin, out);
}

}  // namespace vsthost
