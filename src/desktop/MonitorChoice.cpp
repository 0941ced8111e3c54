// SPDX-License-Identifier: MIT
#include "desktop/MonitorChoice.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// An index: digits only.
std::optional<std::size_t> ParseIndex(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        return SIZE_MAX;
    }
    return value;
}

}  // namespace

std::optional<std::size_t> ChooseMonitor(const std::vector<MonitorInfo>& monitors,
                                         const std::optional<std::string>& wanted,
                                         std::string& error) {
    if (!wanted) {
        if (monitors.empty()) {
            error = "the display reports no monitor";
            return std::nullopt;
        }
        const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                          [](const MonitorInfo& m) { return m.primary; });
        return primary != monitors.end() ? static_cast<std::size_t>(primary - monitors.begin()) : 0;
    }
    if (const auto index = ParseIndex(*wanted)) {
        if (*index < monitors.size()) {
            return *index;
        }
    } else {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (monitors[i].name == *wanted) {
                return i;
            }
        }
    }
    error = "no monitor '" + *wanted + "' (" + std::to_string(monitors.size()) +
            (monitors.size() == 1 ? " monitor" : " monitors") + ", see --list-monitors)";
    return std::nullopt;
}

std::string FormatScale(double scale) {
    constexpr double kSteps = 120;
    // Out of every sensible range (no scale, an absurd one): stated as 1.
    if (!(scale > 0 && scale < 1000)) {
        scale = 1;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(scale * kSteps) / kSteps);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') {
        result.pop_back();
    }
    return result;
}

std::string DescribeMonitor(std::size_t index, const MonitorInfo& monitor) {
    std::string line = std::to_string(index) + ": " + monitor.name + ", " +
                       std::to_string(monitor.Width()) + "x" + std::to_string(monitor.Height()) +
                       " at " + std::to_string(monitor.x) + "," + std::to_string(monitor.y) +
                       ", scale " + FormatScale(monitor.DesktopScale()) + ", ";
    line += monitor.refreshHz > 0 ? std::to_string(monitor.refreshHz) + " Hz"
                                  : std::string("refresh rate unknown");
    if (monitor.primary) {
        line += ", primary";
    }
    if (monitor.scaledByDesktop) {
        line += std::string("; ") + kScaledByDesktopNote;
    }
    return line;
}
