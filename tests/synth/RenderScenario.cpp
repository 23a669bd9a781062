// Writes the shared synthesis scenario as raw 32-bit floats, for the
// cross build to compare its own rendering with.
#include <cstdio>
#include <vector>

#include "SynthScenario.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.f32>\n", argv[0]);
        return 2;
    }
    const std::vector<float> samples = renderSynthScenario();
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const std::size_t written = std::fwrite(samples.data(), sizeof(float), samples.size(), file);
    const bool closed = std::fclose(file) == 0;
    return written == samples.size() && closed ? 0 : 1;
}
