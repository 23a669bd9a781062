// The control tests' platform on Win32: GDI surfaces and virtual keys.
#pragma once

#include <windows.h>

#include <cstdint>

#include "GuiTestSupport.h"

using TestKey = WORD;
inline constexpr TestKey kAltKeyCode = VK_MENU;
inline constexpr TestKey kShiftKeyCode = VK_SHIFT;
inline constexpr TestKey kControlKeyCode = VK_CONTROL;

inline constexpr uint32_t colourRef(int red, int green, int blue) { return RGB(red, green, blue); }

// Window messages for this thread, without the keyboard's: a released Alt
// would otherwise open the top window's system menu and its modal loop.
void pumpMouseMessages();

// Input records for SendInput: a mouse button event, a key going down or up.
INPUT mouseButtonInput(DWORD flags);
INPUT keyInput(WORD virtualKey, bool down);

// A window as a number, to be asked about after it may be gone.
inline uintptr_t windowId(HWND window) { return reinterpret_cast<uintptr_t>(window); }
inline bool windowExists(uintptr_t window) { return IsWindow(reinterpret_cast<HWND>(window)) != FALSE; }
