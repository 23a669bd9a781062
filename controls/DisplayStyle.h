// Style bits shared by the text controls and the sliders.
#pragma once

#include <cstdint>

enum DisplayStyle : int32_t {
    ShadowText = 4,
    // A slider reads one origin bit when it draws and the other when it
    // tracks, so it is built with exactly one of its pair.
    OriginLeft = 8,
    OriginRight = 0x10,
    OriginTop = 0x20,
    OriginBottom = 0x40,
    // With both bevel bits set, EdgeBackTopLeft wins.
    EdgeBackTopLeft = 0x80,
    EdgeFrameTopLeft = 0x100,
    MenuAtTop = 0x200,
    CheckCurrentEntry = 0x400,
};
