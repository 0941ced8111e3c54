// SPDX-License-Identifier: MIT
// One zoom frame of the intro (clear the image, rasterize the logo, blit the
// logo's rectangle) at 1920x1080 and 3840x2160, with the logo the build
// makes, in floors (see Floor.h).
#include <benchmark/benchmark.h>

#include "Floor.h"
#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "intro/Intro.h"
#include "testwindow/RecordingHost.h"

namespace {

void BM_IntroZoomFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Surface surface(width, height, 32);
    RecordingHost host;
    CIntro intro(host, false, width, height);
    if (!intro.LoadLogo(ZYN_LOGO_FILE)) {
        state.SkipWithError("the logo file does not load");
        return;
    }
    CDC dc(surface);
    FloorClock clock;
    for (auto _ : state) {
        clock.Measure(state, surface, [&] { intro.DrawZoomFrame(&dc, 1.0); });
    }
    clock.Report(state);
}

BENCHMARK(BM_IntroZoomFrame)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
