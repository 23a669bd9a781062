// A top-level window that hosts a plug-in's editor: sized from the editor's
// rectangle, idled about 30 times a second, and photographed on request.
#pragma once

#include <windows.h>

#include <string>

#include "tools/vsthost/ImageFile.h"
#include "tools/vsthost/PluginInstance.h"

namespace vsthost {

class EditorWindow {
public:
    explicit EditorWindow(PluginInstance& shown) : plugin(shown) {}
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Creates the window and opens the editor in it; empty on success.
    std::string open(const std::string& title);
    // Pumps messages and idles the editor; false once the user closed it.
    bool run(DWORD milliseconds);
    // The editor's own child window if it made one, else our client area.
    RgbImage capture();
    void close();

    int width() const { return clientWidth; }
    int height() const { return clientHeight; }

private:
    bool editorRect(int& w, int& h);
    void fitClientArea(int w, int h);
    static bool resizeFromPlugin(int32_t w, int32_t h);

    PluginInstance& plugin;
    HWND window = nullptr;
    bool editorOpen = false;
    int clientWidth = 0;
    int clientHeight = 0;
};

}  // namespace vsthost
