#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/tools/vsthost/FakePlugin.h"
#include "tools/vsthost/Renderer.h"

namespace vsthost {
namespace {

class CollectingSink : public AudioSink {
public:
    bool write(const float* const* channels, int32_t frames) override {
        for (int32_t i = 0; i < frames; ++i) {
            left.push_back(channels[0][i]);
            right.push_back(channels[1][i]);
        }
        return true;
    }
    std::vector<float> left;
    std::vector<float> right;
};

std::vector<ScheduledEvent> notesAt(std::initializer_list<int64_t> frames) {
    std::vector<ScheduledEvent> events;
    uint8_t key = 60;
    for (int64_t frame : frames) events.push_back({frame, {0x90, key++, 100}});
    return events;
}

RenderSettings settings(int32_t blockSize, double tail = 0.01) {
    RenderSettings s;
    s.sampleRate = 1000;
    s.blockSize = blockSize;
    s.tailSeconds = tail;
    return s;
}

struct Rendered {
    test::FakePlugin plugin;
    CollectingSink sink;
    RenderOutcome outcome;
};

void render(Rendered& r, std::span<const ScheduledEvent> events, const RenderSettings& s) {
    PluginInstance instance(r.plugin.record());
    instance.open();
    instance.prepare(s.sampleRate, s.blockSize);
    r.outcome = renderEvents(instance, events, s, 2, r.sink, {});
}

TEST(Renderer, EachBlockGetsItsEventsBeforeItIsProcessedRelativeToItsStart) {
    Rendered r;
    const auto events = notesAt({0, 100, 511, 512, 600, 1030});
    render(r, events, settings(512));
    ASSERT_EQ(r.plugin.events.size(), 6u);
    const int expectedBlock[] = {0, 0, 0, 1, 1, 2};
    const int32_t expectedDelta[] = {0, 100, 511, 0, 88, 6};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(r.plugin.events[i].block, expectedBlock[i]) << i;
        EXPECT_EQ(r.plugin.events[i].deltaFrames, expectedDelta[i]) << i;
        EXPECT_EQ(r.plugin.events[i].data1, 60 + i) << i;
    }
    EXPECT_TRUE(r.plugin.eventsIntactAtProcessing);
    EXPECT_EQ(r.plugin.countOf(effProcessEvents), 3);  // blocks without events get no list
}

TEST(Renderer, LengthIsTheLastEventPlusTheTailAndNoCallExceedsTheBlockSize) {
    Rendered r;
    const auto events = notesAt({0, 1200});
    render(r, events, settings(512, 0.5));
    EXPECT_EQ(r.outcome.frames, 1700);
    EXPECT_EQ(r.sink.left.size(), 1700u);
    EXPECT_EQ(r.plugin.blockSizes, (std::vector<int32_t>{512, 512, 512, 164}));
    Rendered noTail;
    render(noTail, events, settings(512, 0.0));
    EXPECT_EQ(noTail.outcome.frames, 1201);  // the last event is still delivered
    EXPECT_EQ(noTail.plugin.events.size(), 2u);
}

TEST(Renderer, ReplacingCallWritesTheSignalAsIs) {
    Rendered r;
    render(r, notesAt({0}), settings(16, 0.1));
    EXPECT_GT(r.plugin.replacingCalls, 0);
    EXPECT_EQ(r.plugin.accumulatingCalls, 0);
    for (size_t i = 0; i < r.sink.left.size(); ++i) {
        ASSERT_EQ(r.sink.left[i], 0.5f) << i;
        ASSERT_EQ(r.sink.right[i], -0.5f) << i;
    }
    EXPECT_FALSE(r.outcome.accumulated);
    EXPECT_NEAR(r.outcome.meter.decibels(), 20.0 * std::log10(0.5), 1e-9);
}

TEST(Renderer, AccumulatingCallGetsClearedBuffersEveryBlock) {
    Rendered r;
    RenderSettings s = settings(16, 0.1);
    s.accumulate = true;
    render(r, notesAt({0}), s);
    EXPECT_EQ(r.plugin.replacingCalls, 0);
    EXPECT_GT(r.plugin.accumulatingCalls, 1);
    for (size_t i = 0; i < r.sink.left.size(); ++i) {
        ASSERT_EQ(r.sink.left[i], 0.25f) << i;
        ASSERT_EQ(r.sink.right[i], -0.25f) << i;
    }
    EXPECT_TRUE(r.outcome.accumulated);
}

TEST(Renderer, PluginWithoutReplacingIsDrivenThroughTheAccumulatingCall) {
    Rendered r;
    r.plugin.record()->flags &= ~effFlagsCanReplacing;
    render(r, notesAt({0}), settings(16, 0.1));
    EXPECT_EQ(r.plugin.replacingCalls, 0);
    EXPECT_TRUE(r.outcome.accumulated);
    EXPECT_EQ(r.sink.left.front(), 0.25f);
}

TEST(Renderer, ReportsProgressUpToTheTotal) {
    test::FakePlugin plugin;
    PluginInstance instance(plugin.record());
    CollectingSink sink;
    const auto events = notesAt({0, 990});
    int64_t lastDone = 0;
    int reports = 0;
    bool increasing = true;
    renderEvents(instance, events, settings(100, 0.0), 2, sink, [&](int64_t done, int64_t total) {
        increasing = increasing && done > lastDone && total == 991;
        lastDone = done;
        ++reports;
    });
    EXPECT_TRUE(increasing);
    EXPECT_EQ(reports, 10);
    EXPECT_EQ(lastDone, 991);
}

}  // namespace
}  // namespace vsthost
