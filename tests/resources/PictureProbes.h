// Measurements on decoded pictures that the picture tests share.
#pragma once

#include "tests/resources/BmpImage.h"
#include "tests/resources/PanelLayout.h"

// Pixels of the area whose colour differs from `reference` by more than `threshold`.
int countDiffering(const BmpImage& image, const PanelArea& area, const Rgb& reference, int threshold);

// The pixels along the four edges of a square at (x, y).
template <typename Visit>
void forEachEdgePixel(int x, int y, int size, Visit visit) {
    for (int i = 0; i < size; ++i) {
        visit(x + i, y);
        visit(x + i, y + size - 1);
        visit(x, y + i);
        visit(x + size - 1, y + i);
    }
}
