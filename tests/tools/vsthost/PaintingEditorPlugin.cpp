// A plug-in DLL for the host's editor tests: its editor is a child window
// painted in four known colours, it reports its size only once it is open,
// and it tells the host of every idle call it gets (as parameter 0 changes),
// so that the host's window, idle loop and picture can all be checked.
#include <windows.h>

#include <cstring>

#include "host/VstInterface.h"

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 80;
constexpr char kChildClass[] = "PaintingEditorChild";

AEffect effect{};
audioMasterCallback host = nullptr;
HWND child = nullptr;
DWORD editorThread = 0;
EditorRect rect{0, 0, kHeight, kWidth};
HINSTANCE module = nullptr;

LRESULT CALLBACK paintChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (int quarter = 0; quarter < 4; ++quarter) {
        const RECT area{(quarter % 2) * kWidth / 2, (quarter / 2) * kHeight / 2, (quarter % 2 + 1) * kWidth / 2,
                        (quarter / 2 + 1) * kHeight / 2};
        HBRUSH brush = CreateSolidBrush(colours[quarter]);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &paint);
    return 0;
}

intptr_t openEditor(void* parent) {
    if (!IsWindow(static_cast<HWND>(parent))) return 0;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = paintChild;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kChildClass;
    RegisterClassA(&windowClass);
    child = CreateWindowA(kChildClass, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, static_cast<HWND>(parent),
                          nullptr, module, nullptr);
    editorThread = GetCurrentThreadId();
    return child != nullptr ? 1 : 0;
}

intptr_t VSTCALLBACK dispatcher(AEffect* e, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
    switch (opcode) {
        case effEditGetRect:
            // Like some plug-ins, no size until the editor is open.
            *static_cast<EditorRect**>(ptr) = child != nullptr ? &rect : nullptr;
            return child != nullptr ? 1 : 0;
        case effEditOpen: return openEditor(ptr);
        case effEditIdle:
            if (child != nullptr && GetCurrentThreadId() == editorThread) host(e, audioMasterAutomate, 0, 0, nullptr, 0.5f);
            return 0;
        case effEditClose:
            if (child != nullptr) DestroyWindow(child);
            child = nullptr;
            return 0;
        case effGetEffectName: std::strcpy(static_cast<char*>(ptr), "Painting Editor"); return 1;
        default: return 0;
    }
}

void VSTCALLBACK silence(AEffect*, float**, float** outputs, int32_t frames) {
    for (int c = 0; c < 2; ++c) std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(frames));
}
void VSTCALLBACK ignoreParameter(AEffect*, int32_t, float) {}
float VSTCALLBACK noParameter(AEffect*, int32_t) { return 0.0f; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    module = instance;
    return TRUE;
}

extern "C" AEffect* VSTCALLBACK paintingEditorMain(audioMasterCallback callback) {
    if (callback == nullptr || callback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    host = callback;
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatcher;
    effect.process = silence;
    effect.processReplacing = silence;
    effect.setParameter = ignoreParameter;
    effect.getParameter = noParameter;
    effect.numParams = 1;
    effect.numOutputs = 2;
    effect.flags = effFlagsHasEditor | effFlagsCanReplacing;
    effect.uniqueID = fourCharCode('P', 'n', 't', 'E');
    effect.object = &effect;
    return &effect;
}
