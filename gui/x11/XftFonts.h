// The toolkit's fonts on X11, through Xft and fontconfig. Each face asks
// fontconfig for itself first (a real Arial where one is installed), then
// for its stand-in, then for any sans-serif face.
#pragma once

#include <X11/Xft/Xft.h>

#include <cstdint>

#include "gui/Color.h"
#include "gui/Fonts.h"

// The face that stands in for a Windows face name: "Liberation Sans" (metric
// compatible with Arial) for "Arial" and "Small Fonts", "DejaVu Sans" for
// "Symbol" (it has the Greek letters).
const char* standInFamily(const char* faceName);

// Null when no font at all can be had. pixelSize is the character height.
XftFont* openFont(Display* display, const FontEntry& entry, int32_t pixelSize, int32_t weight);

// An Xft colour of a true-colour pixel, with nothing to free.
XftColor xftColor(unsigned long pixel, Color color);
