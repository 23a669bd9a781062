// The BITMAP resources of the text, switch, slider and indicator tests
// (ExtraPictures.rc), written by make_extra_pictures.py.
#pragma once

#include <windows.h>

#include <cstdint>

// Three 30 x 30 frames stacked, in kSwitchColours.
inline constexpr int32_t kSwitchPicture = 451;
inline constexpr int32_t kSwitchFrameSize = 30;
inline constexpr COLORREF kSwitchColours[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
// Five 10 x 10 frames: pixel (x, y) of frame k is stripColour(k, y).
inline constexpr int32_t kIndicatorStripPicture = 452;
inline constexpr int32_t kIndicatorFrameSize = 10;
// The digits 0 to 9, each 6 x 8: pixel (x, y) of digit d is digitColour(d, y).
inline constexpr int32_t kDigitsPicture = 453;
inline constexpr int32_t kDigitWidth = 6;
inline constexpr int32_t kDigitHeight = 8;
// 40 x 40: pixel (x, y) is (5 x, 200, 5 y) lit and (5 x, 40, 5 y) dark.
inline constexpr int32_t kMeterOnPicture = 454;
inline constexpr int32_t kMeterOffPicture = 455;
// 10 x 6 in kSliderHandleColour with key-coloured corners.
inline constexpr int32_t kSliderHandlePicture = 456;
inline constexpr COLORREF kSliderHandleColour = RGB(20, 40, 160);
// 120 x 120: pixel (x, y) is (2 x, 2 y, 60).
inline constexpr int32_t kSliderBackPicture = 457;
// 120 x 80 in kOpenColour.
inline constexpr int32_t kOpenPicture = 458;
inline constexpr COLORREF kOpenColour = RGB(250, 160, 0);
// 120 x 80: pixel (x, y) is (0, 2 x, 3 y).
inline constexpr int32_t kTextBackPicture = 459;

inline COLORREF stripColour(int frame, int row) { return RGB(40 * frame + 20, 20 * row, 77); }
inline COLORREF digitColour(int digit, int row) { return RGB(25 * digit, 200, 30 * row); }
inline COLORREF meterOnColour(int x, int y) { return RGB(5 * x, 200, 5 * y); }
inline COLORREF meterOffColour(int x, int y) { return RGB(5 * x, 40, 5 * y); }
inline COLORREF sliderBackColour(int x, int y) { return RGB(2 * x, 2 * y, 60); }
inline COLORREF textBackColour(int x, int y) { return RGB(0, 2 * x, 3 * y); }
