// Turns what a musician types (a program or parameter by number or by name,
// and "name=value" settings) into indices the plug-in understands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vsthost {

struct ParameterSetting {
    std::string key;  // a parameter number or name
    float value = 0.0f;  // normalised, 0 to 1
};

struct ParsedSetting {
    ParameterSetting setting;
    std::string error;  // empty when the text was understood
};

// "5=0.3" or "Stick Hardness=0.3".
ParsedSetting parseParameterSetting(std::string_view text);

struct Lookup {
    int index = -1;
    std::string error;  // empty when found
};

// A number below names.size(), or a name compared without regard to case and
// surrounding blanks. A name that several entries share must be given by
// number; the message lists them. `what` is "program" or "parameter".
Lookup findByNumberOrName(std::string_view key, const std::vector<std::string>& names, const char* what);

}  // namespace vsthost
