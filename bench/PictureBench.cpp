// SPDX-License-Identifier: MIT
// Every picture painted through the render frame at 1920x1080 and 3840x2160,
// 32 bits per pixel, next to the floor: the frame's black fill of the screen.
#include <benchmark/benchmark.h>

#include <string>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/Strings.h"
#include "testwindow/TestWnd.h"

namespace {

constexpr int kSizes[][2] = {{1920, 1080}, {3840, 2160}};

void BM_Floor(benchmark::State& state) {
    Surface surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 32);
    const RECT screen{0, 0, surface.Width(), surface.Height()};
    for (auto _ : state) {
        CDC dc(surface);
        dc.FillRect(&screen, GetStockBrush(BLACK_BRUSH));
        benchmark::DoNotOptimize(surface.Pixels());
    }
}

void BM_Picture(benchmark::State& state, int picture, int resolution) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Surface surface(width, height, 32);
    RecordingHost host;
    CTestWnd testWnd(host, width, height, 32);
    testWnd.SetPicture(static_cast<BYTE>(picture));
    testWnd.SetResolution(static_cast<BYTE>(resolution));
    for (auto _ : state) {
        CDC dc(surface);
        testWnd.OnPaint(&dc);
        benchmark::DoNotOptimize(surface.Pixels());
    }
}

int RegisterAll() {
    auto* floor = benchmark::RegisterBenchmark("Floor", BM_Floor);
    for (const auto& size : kSizes) {
        floor->Args({size[0], size[1]});
    }
    floor->Unit(benchmark::kMillisecond);
    constexpr const char* kLevels[] = {"Niedrig", "Mittel", "Hoch"};
    for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
        for (int level = 0; level < 3; ++level) {
            const std::string name =
                std::to_string(picture) + "_" + kPictureNames[picture] + "/" + kLevels[level];
            auto* bench = benchmark::RegisterBenchmark(name.c_str(), BM_Picture, picture, level);
            for (const auto& size : kSizes) {
                bench->Args({size[0], size[1]});
            }
            bench->Unit(benchmark::kMillisecond);
        }
    }
    return 0;
}

const int kRegistered = RegisterAll();

}  // namespace
