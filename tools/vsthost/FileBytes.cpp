#include "tools/vsthost/FileBytes.h"

#include <cstdio>

namespace vsthost {

bool readFileBytes(const std::string& path, size_t largest, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    const bool sized = std::fseek(file, 0, SEEK_END) == 0;
    const long size = sized ? std::ftell(file) : -1;
    const bool fits = size >= 0 && static_cast<size_t>(size) <= largest;
    if (fits && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::fclose(file);
    return fits && bytes.size() == static_cast<size_t>(size);
}

bool writeFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && written;
}

}  // namespace vsthost
