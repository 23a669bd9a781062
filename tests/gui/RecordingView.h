// A view that logs every call it gets, for the tests of views and frames.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/View.h"

// Logs every call it gets as "name:operation" into a shared log.
class RecordingView : public View {
public:
    RecordingView(const Rect& r, std::string viewName, std::vector<std::string>& callLog)
        : View(r), name(std::move(viewName)), sink(callLog) {}
    ~RecordingView() override { sink.push_back(name + ":destroyed"); }

    void draw(DrawContext&) override { sink.push_back(name + ":draw"); }
    void onMouseDown(DrawContext&, Point where) override {
        sink.push_back(name + ":click");
        lastClick = where;
    }
    void update(DrawContext&) override { sink.push_back(name + ":update"); }
    void onFocusLost() override { sink.push_back(name + ":focusLost"); }

    Point lastClick{-1, -1};

private:
    std::string name;
    std::vector<std::string>& sink;
};
