// Whole files in and out as bytes, for the host's readers and writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vsthost {

// False when the file cannot be opened or read, or holds more than largest bytes.
bool readFileBytes(const std::string& path, size_t largest, std::vector<uint8_t>& bytes);
// False when the file cannot be written whole.
bool writeFileBytes(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace vsthost
