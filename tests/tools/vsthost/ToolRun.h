// Runs vsthost.exe as a musician would, and collects what it printed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vsthost::test {

struct ToolRun {
    unsigned long exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and standard error together, with plain \n line ends
};

// `arguments` follow the program name on its command line.
ToolRun runVsthost(const std::string& arguments);

// The whole file, or nothing when it cannot be read.
std::vector<uint8_t> readFile(const std::string& path);
// A little-endian 32-bit field of a file read with readFile.
uint32_t little32(const std::vector<uint8_t>& bytes, size_t at);

}  // namespace vsthost::test
