#pragma once

#include <cstdint>
#include <vector>

// A fixed multi-voice performance: several programs (vibrato on among them),
// every note number, stealing, silent strikes, a sample-rate change and an
// all-notes-off, rendered in blocks the way the instrument renders.
// Returns interleaved left/right samples.
std::vector<float> renderSynthScenario();
