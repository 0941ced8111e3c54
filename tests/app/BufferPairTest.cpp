// SPDX-License-Identifier: MIT
#include "present/BufferPair.h"

#include <gtest/gtest.h>

namespace {

// One step on a pair: acquire a frame drawing rect (expecting the buffer, -1
// for none, and the copy), the display taking the frame, or giving a buffer back.
struct Step {
    enum { kAcquire, kHold, kRelease } op;
    RECT rect{};
    int buffer = 0;
    RECT copy{};
};

constexpr RECT kA{0, 0, 10, 10};
constexpr RECT kB{20, 20, 30, 30};
constexpr RECT kAll{0, 0, 40, 40};

struct Case {
    const char* what;
    std::vector<Step> steps;
};

TEST(BufferPairTest, FramesGoToFreeBuffersWithWhatTheyLack) {
    const Case cases[] = {
        {"a buffer the display gave back takes the next frame, with no copy",
         {{Step::kAcquire, kA, 0},
          {Step::kHold},
          {Step::kRelease, {}, 0},
          {Step::kAcquire, kB, 0}}},
        {"while the display holds the latest, the other takes what it lacks",
         {{Step::kAcquire, kA, 0}, {Step::kHold}, {Step::kAcquire, kB, 1, kA}}},
        {"what all frames since drew, as one rectangle",
         {{Step::kAcquire, kA, 0},
          {Step::kHold},
          {Step::kRelease, {}, 0},
          {Step::kAcquire, kB, 0},
          {Step::kHold},
          {Step::kAcquire, {5, 5, 6, 6}, 1, {0, 0, 30, 30}}}},
        {"nothing to copy where the frame draws it all anew",
         {{Step::kAcquire, kA, 0}, {Step::kHold}, {Step::kAcquire, kAll, 1}}},
        {"no buffer while the display holds both, then the one given back",
         {{Step::kAcquire, kA, 0},
          {Step::kHold},
          {Step::kAcquire, kB, 1, kA},
          {Step::kHold},
          {Step::kAcquire, kAll, -1},
          {Step::kRelease, {}, 0},
          {Step::kAcquire, kA, 0, kB}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BufferPair pair;
        for (const Step& step : c.steps) {
            if (step.op == Step::kHold) {
                pair.Hold();
            } else if (step.op == Step::kRelease) {
                pair.Release(step.buffer);
            } else if (const auto frame = pair.Acquire(step.rect); step.buffer < 0) {
                EXPECT_FALSE(frame.has_value());
            } else {
                ASSERT_TRUE(frame.has_value());
                EXPECT_EQ(frame->buffer, step.buffer);
                EXPECT_EQ(frame->copy, step.copy);
                EXPECT_EQ(pair.Current(), step.buffer);
            }
        }
    }
}

}  // namespace
