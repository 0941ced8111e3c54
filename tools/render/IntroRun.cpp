// SPDX-License-Identifier: MIT
#include "IntroRun.h"

#include "gdi/CDC.h"

namespace {

constexpr std::uint64_t kFramesPerSecond = 60;

std::uint64_t FrameTime(std::uint64_t frame) {
    return frame * 1000 / kFramesPerSecond;
}

}  // namespace

void PaintIntroAt(CTestWnd& testWnd, RecordingHost& host, Surface& surface, std::uint32_t atMs) {
    host.now = 0;
    std::uint64_t frame = 0;
    for (;;) {
        const int requests = host.stepRequests;
        {
            CDC dc(surface);
            testWnd.OnPaint(&dc);
        }
        if (!testWnd.IsIntroRunning() || host.stepRequests == requests) {
            return;
        }
        std::uint64_t next = std::uint64_t{host.now} + host.stepDelayMs;
        if (host.stepDelayMs == 0) {
            while (FrameTime(frame) <= host.now) {
                ++frame;
            }
            next = FrameTime(frame);
        }
        if (next > atMs) {
            return;
        }
        host.now = static_cast<std::uint32_t>(next);
    }
}
