// Where the editor places its controls on the background, as the pictures must
// be designed for: knobs are 36 x 36, the lamp 16 x 16, both copied opaquely.
#pragma once

#include <array>

struct PanelSpot {
    int x;
    int y;
};

constexpr int kPanelWidth = 413;
constexpr int kPanelHeight = 197;
constexpr int kKnobSize = 36;
constexpr int kKnobFrames = 128;
constexpr int kLampSize = 16;

// Indexed by tag.
constexpr std::array<PanelSpot, 18> kKnobSpots{{
    {54, 55}, {16, 55}, {92, 55}, {92, 127}, {152, 55}, {152, 94}, {286, 55}, {286, 94}, {190, 55},
    {190, 94}, {324, 55}, {324, 94}, {228, 55}, {228, 94}, {362, 55}, {362, 94}, {54, 127}, {16, 127},
}};

constexpr PanelSpot kLampSpot{137, 145};

struct PanelArea {
    int left;
    int top;
    int right;  // exclusive
    int bottom; // exclusive
};

constexpr PanelArea kAboutArea{267, 153, 395, 184};
