#include "tools/vsthost/Choices.h"

#include <cctype>
#include <cstdlib>

namespace vsthost {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

ParsedSetting parseParameterSetting(std::string_view text) {
    ParsedSetting parsed;
    const size_t equals = text.rfind('=');
    if (equals == std::string_view::npos) {
        parsed.error = "a parameter setting looks like 5=0.3 or \"Stick Hardness=0.3\"";
        return parsed;
    }
    parsed.setting.key = std::string(trimmed(text.substr(0, equals)));
    const std::string number(trimmed(text.substr(equals + 1)));
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (parsed.setting.key.empty() || number.empty() || end != number.c_str() + number.size()) {
        parsed.error = "cannot read the parameter setting \"" + std::string(text) + "\"";
    } else if (!(value >= 0.0 && value <= 1.0)) {
        parsed.error = "parameter values go from 0 to 1, not " + number;
    }
    parsed.setting.value = static_cast<float>(value);
    return parsed;
}

Lookup findByNumberOrName(std::string_view key, const std::vector<std::string>& names, const char* what) {
    Lookup lookup;
    const std::string_view wanted = trimmed(key);
    if (isNumber(wanted)) {
        const int number = std::atoi(std::string(wanted).c_str());
        if (number < static_cast<int>(names.size())) {
            lookup.index = number;
        } else {
            lookup.error = std::string("there is no ") + what + " " + std::string(wanted) + "; the plug-in has " +
                           std::to_string(names.size()) + ", numbered from 0";
        }
        return lookup;
    }
    std::string matches;
    int count = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!sameIgnoringCase(trimmed(names[i]), wanted)) continue;
        if (count++ == 0) lookup.index = static_cast<int>(i);
        matches += (matches.empty() ? "" : ", ") + std::to_string(i);
    }
    if (count == 0) {
        lookup.error = std::string("no ") + what + " is called \"" + std::string(wanted) + "\"";
    } else if (count > 1) {
        lookup.index = -1;
        lookup.error = std::string("several ") + what + "s are called \"" + std::string(wanted) +
                       "\" (" + matches + "): give the number";
    }
    return lookup;
}

}  // namespace vsthost
