// The control tests' own pictures (ControlPictures.rc), written by
// make_control_pictures.py.
#pragma once

#include <cstdint>

#include "TestPlatform.h"

// 128 frames of 16 x 16: pixel (x, y) of frame k is (2 k, 16 x, 16 y).
inline constexpr int32_t kStripPicture = 401;
inline constexpr int32_t kStripFrames = 128;
inline constexpr int32_t kStripFrameSize = 16;
// 8 x 8, "off" above "on", each 4 rows; see the colours below.
inline constexpr int32_t kTwoStatePicture = 402;
// 6 x 6 in kHandleColour with key-coloured corners.
inline constexpr int32_t kHandlePicture = 403;
// 48 x 48: pixel (x, y) is (4 x, 4 y, 120).
inline constexpr int32_t kKnobBackPicture = 404;
// 120 x 80: pixel (x, y) is (240, 2 x, 3 y).
inline constexpr int32_t kSplashPicture = 405;
// 120 x 80 in kEditorBackColour.
inline constexpr int32_t kEditorBackPicture = 406;

inline constexpr uint32_t kOffLeftColour = colourRef(200, 0, 0);
inline constexpr uint32_t kOnLeftColour = colourRef(0, 200, 0);
inline constexpr uint32_t kOffRightColour = colourRef(0, 0, 200);
inline constexpr uint32_t kOnRightColour = colourRef(200, 200, 0);
inline constexpr uint32_t kHandleColour = colourRef(20, 40, 160);
inline constexpr uint32_t kEditorBackColour = colourRef(30, 60, 90);

inline uint32_t stripColour(int frame, int x, int y) { return colourRef(2 * frame, 16 * x, 16 * y); }
inline uint32_t knobBackColour(int x, int y) { return colourRef(4 * x, 4 * y, 120); }
inline uint32_t splashColour(int x, int y) { return colourRef(240, 2 * x, 3 * y); }
