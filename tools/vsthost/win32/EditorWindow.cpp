#include "tools/vsthost/EditorWindow.h"

#include <windows.h>

#include <algorithm>

#include "tools/vsthost/HostCallback.h"

namespace vsthost {
namespace {

constexpr char kWindowClass[] = "vsthostEditorWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kIdleInterval = 33;  // milliseconds: about 30 idle calls a second
constexpr int kFallbackSize = 400;

bool userClosed = false;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        userClosed = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

RgbImage readPixels(HDC source, int w, int h) {
    RgbImage image(w, h);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory == nullptr || section == nullptr || bits == nullptr) {
        if (section != nullptr) DeleteObject(section);
        if (memory != nullptr) DeleteDC(memory);
        return {};
    }
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* bgrx = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h); ++i) {
        image.pixels[i * 3 + 0] = bgrx[i * 4 + 2];
        image.pixels[i * 3 + 1] = bgrx[i * 4 + 1];
        image.pixels[i * 3 + 2] = bgrx[i * 4 + 0];
    }
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    return image;
}

HWND asHandle(uintptr_t window) { return reinterpret_cast<HWND>(window); }

}  // namespace

void EditorWindow::fitClientArea(int w, int h) {
    RECT frame{0, 0, w, h};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    SetWindowPos(asHandle(window), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    clientWidth = w;
    clientHeight = h;
}

std::string EditorWindow::open(const std::string& title) {
    if (!registerClass()) return "cannot register the editor window class";
    // Hosts differ: some ask for the size before opening the editor, some
    // after. Ask both times.
    int w = kFallbackSize;
    int h = kFallbackSize;
    editorRect(w, h);
    RECT frame{0, 0, w, h};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    HWND created = CreateWindowA(kWindowClass, title.c_str(), kWindowStyle, 0, 0, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (created == nullptr) return "cannot create a window (is there a display?)";
    window = reinterpret_cast<uintptr_t>(created);
    clientWidth = w;
    clientHeight = h;
    shown = this;
    userClosed = false;
    hostState().sizeWindow = &EditorWindow::resizeFromPlugin;
    ShowWindow(created, SW_SHOWNORMAL);
    UpdateWindow(created);
    plugin.dispatch(effEditOpen, 0, 0, created);
    editorOpen = true;
    if (editorRect(w, h) && (w != clientWidth || h != clientHeight)) fitClientArea(w, h);
    return {};
}

bool EditorWindow::run(uint32_t milliseconds) {
    const DWORD start = GetTickCount();
    DWORD lastIdle = start - kIdleInterval;
    while (!userClosed && GetTickCount() - start < milliseconds) {
        pumpMessages();
        if (GetTickCount() - lastIdle >= kIdleInterval) {
            lastIdle = GetTickCount();
            plugin.dispatch(effEditIdle);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return !userClosed;
}

RgbImage EditorWindow::capture() {
    if (window == 0) return {};
    HWND child = GetWindow(asHandle(window), GW_CHILD);
    HWND target = child != nullptr ? child : asHandle(window);
    RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpMessages();
    RECT area{};
    GetClientRect(target, &area);
    const int w = std::max<int>(area.right - area.left, 0);
    const int h = std::max<int>(area.bottom - area.top, 0);
    if (w == 0 || h == 0) return {};
    HDC source = GetDC(target);
    RgbImage image = readPixels(source, w, h);
    ReleaseDC(target, source);
    return image;
}

void EditorWindow::close() {
    if (editorOpen) plugin.dispatch(effEditClose);
    editorOpen = false;
    hostState().sizeWindow = nullptr;
    shown = nullptr;
    if (window != 0) DestroyWindow(asHandle(window));
    window = 0;
}

}  // namespace vsthost
