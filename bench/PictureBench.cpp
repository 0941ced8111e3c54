// SPDX-License-Identifier: MIT
// Every picture painted through the render frame at 1920x1080 and 3840x2160,
// 32 bits per pixel, each in floors (see Floor.h). Next to them the floor
// itself and the drawing context's own fill of the screen (FillRect), which
// every picture but two starts with.
#include <benchmark/benchmark.h>

#include <string>

#include "Floor.h"
#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/Strings.h"
#include "testwindow/TestWnd.h"

namespace {

constexpr int kSizes[][2] = {{1920, 1080}, {3840, 2160}};

Surface ScreenOf(const benchmark::State& state) {
    return Surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 32);
}

void BM_Floor(benchmark::State& state) {
    Surface surface = ScreenOf(state);
    for (auto _ : state) {
        state.SetIterationTime(FloorClock::FloorSeconds(surface));
    }
}

void BM_FillRect(benchmark::State& state) {
    Surface surface = ScreenOf(state);
    const RECT screen{0, 0, surface.Width(), surface.Height()};
    FloorClock clock;
    for (auto _ : state) {
        clock.Measure(state, surface, [&] {
            CDC dc(surface);
            dc.FillRect(&screen, GetStockBrush(BLACK_BRUSH));
        });
    }
    clock.Report(state);
}

void BM_Picture(benchmark::State& state, int picture, int resolution) {
    Surface surface = ScreenOf(state);
    RecordingHost host;
    CTestWnd testWnd(host, surface.Width(), surface.Height(), 32);
    testWnd.SetPicture(static_cast<BYTE>(picture));
    testWnd.SetResolution(static_cast<BYTE>(resolution));
    FloorClock clock;
    for (auto _ : state) {
        clock.Measure(state, surface, [&] {
            CDC dc(surface);
            testWnd.OnPaint(&dc);
        });
    }
    clock.Report(state);
}

void WithSizes(benchmark::internal::Benchmark* bench) {
    for (const auto& size : kSizes) {
        bench->Args({size[0], size[1]});
    }
    bench->UseManualTime()->Unit(benchmark::kMillisecond);
}

int RegisterAll() {
    WithSizes(benchmark::RegisterBenchmark("Floor", BM_Floor));
    WithSizes(benchmark::RegisterBenchmark("FillRect", BM_FillRect));
    constexpr const char* kLevels[] = {"Niedrig", "Mittel", "Hoch"};
    for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
        for (int level = 0; level < 3; ++level) {
            const std::string name =
                std::to_string(picture) + "_" + kPictureNames[picture] + "/" + kLevels[level];
            WithSizes(benchmark::RegisterBenchmark(name.c_str(), BM_Picture, picture, level));
        }
    }
    return 0;
}

const int kRegistered = RegisterAll();

}  // namespace
