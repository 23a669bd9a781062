#include "tests/resources/PictureProbes.h"

int countDiffering(const BmpImage& image, const PanelArea& area, const Rgb& reference, int threshold) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image.at(x, y).distanceTo(reference) > threshold) {
                ++count;
            }
        }
    }
    return count;
}
