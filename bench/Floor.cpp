// SPDX-License-Identifier: MIT
#include "Floor.h"

#include <cstring>

double FloorClock::FloorSeconds(Surface& surface) {
    const auto bytes =
        static_cast<std::size_t>(surface.Width()) * surface.Height() * sizeof(std::uint32_t);
    const auto start = Clock::now();
    std::memset(surface.Pixels(), 0, bytes);
    benchmark::DoNotOptimize(surface.Pixels());
    benchmark::ClobberMemory();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void FloorClock::Report(benchmark::State& state) const {
    const double frames = static_cast<double>(state.iterations());
    if (frames == 0.0 || m_dFloor <= 0.0) {
        return;
    }
    state.counters["floor_ms"] = 1000.0 * m_dFloor / frames;
    state.counters["floors"] = m_dWork / m_dFloor;
}
