#include "ControlTestSupport.h"

#include <atomic>
#include <thread>

void RecordingListener::valueChanged(DrawContext& context, Control& control) {
    values.push_back(control.getValue());
    tags.push_back(control.getTag());
    if (redraws) control.update(context);
}

Gesture& Gesture::moveTo(SystemWindow window, int x, int y) {
    steps.push_back(Step{Kind::Move, windowId(window), x, y, TestKey{}});
    return *this;
}

Gesture& Gesture::press() {
    steps.push_back(Step{Kind::Press, 0, 0, 0, TestKey{}});
    return *this;
}

Gesture& Gesture::release() {
    steps.push_back(Step{Kind::Release, 0, 0, 0, TestKey{}});
    return *this;
}

Gesture& Gesture::keyDown(TestKey key) {
    steps.push_back(Step{Kind::KeyDown, 0, 0, 0, key});
    return *this;
}

Gesture& Gesture::keyUp(TestKey key) {
    steps.push_back(Step{Kind::KeyUp, 0, 0, 0, key});
    return *this;
}

void Gesture::perform() const {
    std::atomic<bool> done{false};
    std::thread robot([this, &done] {
        play();
        done = true;
    });
    while (!done) handleTestEvents();
    robot.join();
    handleTestEvents();
}
