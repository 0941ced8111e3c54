// SPDX-License-Identifier: MIT
// The command line of zynmon-render.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gdi/GdiTypes.h"

// The highest refresh rate the test card may state, and the most paints.
inline constexpr std::uint32_t kMaxRefreshHz = 1000;
inline constexpr std::uint32_t kMaxRepeat = 100000;

struct RenderOptions {
    int picture = -1;
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    int resolution = 1;
    COLORREF color = 0xFFFFFF;
    std::uint32_t variant = 0;
    std::uint32_t ticks = 0;
    std::uint32_t repeat = 1;
    std::uint32_t refresh = 0;
    // --intro-at MS --logo FILE: the intro's screen MS milliseconds after it started.
    std::optional<std::uint32_t> introAt;
    std::string logo;
    std::string output;
    bool help = false;
    bool list = false;
};

// Parses the arguments (without the program name). On failure returns nothing
// and sets `error` to a one-line reason.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error);

extern const char* const kRenderUsage;
