// Runs vsthost.exe as a musician would, and collects what it printed.
#pragma once

#include <string>

namespace vsthost::test {

struct ToolRun {
    unsigned long exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and standard error together, with plain \n line ends
};

// `arguments` follow the program name on its command line.
ToolRun runVsthost(const std::string& arguments);

}  // namespace vsthost::test
