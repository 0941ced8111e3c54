// SPDX-License-Identifier: MIT
// The floor of the render benchmarks: the machine's own fastest fill of the
// whole screen, the least any picture has to do. Each benchmark measures it
// next to its own work, a frame of one and a fill of the other in turn, so
// that both see the same machine: the same load from other programs, the same
// clock speed, the same state of the caches.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "gdi/Surface.h"

class FloorClock {
public:
    // Times one call of work and one floor fill of surface, in that order.
    template <typename Work>
    void Measure(benchmark::State& state, Surface& surface, Work&& work) {
        const auto start = Clock::now();
        work();
        benchmark::DoNotOptimize(surface.Pixels());
        benchmark::ClobberMemory();
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        m_dWork += elapsed.count();
        m_dFloor += FloorSeconds(surface);
    }
    // Adds the floor per frame (floor_ms) and the work in floors (floors).
    void Report(benchmark::State& state) const;

    // Seconds of one black fill of the whole surface by the C library's
    // memset, which the library picks for the processor at hand (its widest
    // stores, or the processor's own string store where that is faster). Its
    // 32-bit twin wmemset, which the drawing context uses, takes as long.
    static double FloorSeconds(Surface& surface);

private:
    using Clock = std::chrono::steady_clock;
    double m_dWork = 0.0;
    double m_dFloor = 0.0;
};
