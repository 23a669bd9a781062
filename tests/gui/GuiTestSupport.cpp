#include "GuiTestSupport.h"

#include <algorithm>
#include <cstdint>

namespace {

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* plainClass() {
    static const char* name = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = plainWindowProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        description.lpszClassName = "ZavGuiTestWindow";
        RegisterClassA(&description);
        return "ZavGuiTestWindow";
    }();
    return name;
}

// Wine's answer to GetGuiResources is 0; its per-process handle table sits
// where the PEB says, 24 bytes an entry, the handle's upper word at offset 12
// and a type byte at 14 that is 0 for a free entry.
struct WineHandleTable {
    const uint8_t* entries = nullptr;
    size_t count = 0;
};

constexpr size_t kWineEntrySize = 24;

WineHandleTable findWineHandleTable() {
#ifdef _WIN64
    return {};
#else
    const uint8_t* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const uint8_t* const*>(peb + 0x94);
    if (!table) return {};
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) return {};
    const size_t count = region.RegionSize / kWineEntrySize;
    HPEN probe = CreatePen(PS_SOLID, 1, 0);
    const auto handle = reinterpret_cast<uintptr_t>(probe);
    const size_t index = handle & 0xFFFF;
    bool matches = false;
    if (index < count) {
        const uint8_t* entry = table + index * kWineEntrySize;
        matches = static_cast<uintptr_t>(entry[12] | entry[13] << 8) == (handle >> 16) && entry[14] != 0;
    }
    DeleteObject(probe);
    return matches ? WineHandleTable{table, count} : WineHandleTable{};
#endif
}

}  // namespace

MemorySurface::MemorySurface(int width, int height, COLORREF fill) : w(width), h(height), fillColor(fill) {
    HDC screen = GetDC(nullptr);
    context = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    original = SelectObject(context, bitmap);
    HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(context, &all, brush);
    DeleteObject(brush);
}

MemorySurface::~MemorySurface() {
    SelectObject(context, original);
    DeleteDC(context);
    DeleteObject(bitmap);
}

std::vector<POINT> MemorySurface::inked() const {
    std::vector<POINT> points;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (pixel(x, y) != fillColor) points.push_back(POINT{x, y});
        }
    }
    return points;
}

Rect MemorySurface::inkBounds() const {
    Rect bounds(w, h, -1, -1);
    for (const POINT& p : inked()) {
        bounds.left = std::min<int32_t>(bounds.left, p.x);
        bounds.top = std::min<int32_t>(bounds.top, p.y);
        bounds.right = std::max<int32_t>(bounds.right, p.x);
        bounds.bottom = std::max<int32_t>(bounds.bottom, p.y);
    }
    return bounds;
}

bool MemorySurface::samePixels(const MemorySurface& other) const {
    if (w != other.w || h != other.h) return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (pixel(x, y) != other.pixel(x, y)) return false;
        }
    }
    return true;
}

HWND testTopWindow() {
    static HWND window = [] {
        HWND created = CreateWindowExA(0, plainClass(), "zavTolvek GUI tests", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       0, 0, 900, 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        pumpMessages();
        return created;
    }();
    return window;
}

HWND createHostWindow(HWND parent, int x, int y, int width, int height) {
    HWND window = CreateWindowExA(0, plainClass(), "host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                  height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    pumpMessages();
    return window;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void waitTicks(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) Sleep(5);
}

int gdiObjectCount() {
    SetLastError(0);
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) return static_cast<int>(counted);
    static const WineHandleTable table = findWineHandleTable();
    if (!table.entries) return -1;
    int live = 0;
    for (size_t i = 0; i < table.count; ++i) {
        if (table.entries[i * kWineEntrySize + 14] != 0) ++live;
    }
    return live;
}
