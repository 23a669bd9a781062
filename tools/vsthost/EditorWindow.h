// A top-level window that hosts a plug-in's editor: sized from the editor's
// rectangle, idled about 30 times a second, and photographed on request.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vsthost/ImageFile.h"
#include "tools/vsthost/PluginInstance.h"

namespace vsthost {

class EditorWindow {
public:
    explicit EditorWindow(PluginInstance& hosted) : plugin(hosted) {}
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Creates the window and opens the editor in it; empty on success.
    std::string open(const std::string& title);
    // Handles the window's events and idles the editor; false once the user
    // closed the window.
    bool run(uint32_t milliseconds);
    // The editor's own child window if it made one, else our client area.
    RgbImage capture();
    void close();

    int width() const { return clientWidth; }
    int height() const { return clientHeight; }

private:
    bool editorRect(int& w, int& h);
    void fitClientArea(int w, int h);
    static bool resizeFromPlugin(int32_t w, int32_t h);

    static EditorWindow* shown;  // the one editor this program shows
    PluginInstance& plugin;
    void* display = nullptr;  // the X11 connection; unused on Windows
    uintptr_t window = 0;     // HWND, or X11 window id
    bool editorOpen = false;
    int clientWidth = 0;
    int clientHeight = 0;
};

}  // namespace vsthost
