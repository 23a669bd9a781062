#include "tools/vsthost/EditorWindow.h"

namespace vsthost {

EditorWindow* EditorWindow::shown = nullptr;

EditorWindow::~EditorWindow() { close(); }

bool EditorWindow::editorRect(int& w, int& h) {
    EditorRect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    w = rect->right - rect->left;
    h = rect->bottom - rect->top;
    return true;
}

bool EditorWindow::resizeFromPlugin(int32_t w, int32_t h) {
    if (shown == nullptr || w <= 0 || h <= 0) return false;
    shown->fitClientArea(w, h);
    return true;
}

}  // namespace vsthost
