// The test program's own BITMAP resources (TestPictures.rc), written by
// make_test_pictures.py.
#pragma once

#include <cstdint>

// 16 x 32: pixel (x, y) has colour (16 x, 8 y, 100).
inline constexpr int32_t kStripPicture = 301;
// 5 x 3, with pure white (the key colour) and near-white pixels.
inline constexpr int32_t kKeyedPicture = 302;
inline constexpr int32_t kMissingPicture = 399;
