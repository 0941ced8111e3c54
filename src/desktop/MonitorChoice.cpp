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

// The monitor an entry names: an index in the list, else a name.
std::optional<std::size_t> FindMonitor(const std::vector<MonitorInfo>& monitors,
                                       const std::string& entry) {
    if (const auto index = ParseIndex(entry)) {
        if (*index < monitors.size()) {
            return index;
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].name == entry) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::size_t>> ChooseMonitors(const std::vector<MonitorInfo>& monitors,
                                                       const std::vector<std::string>& wanted,
                                                       std::string& error) {
    const bool every = wanted.size() == 1 && wanted.front() == kAllMonitors;
    if (monitors.empty() && (wanted.empty() || every)) {
        error = "the display reports no monitor";
        return std::nullopt;
    }
    std::vector<std::size_t> chosen;
    if (wanted.empty()) {
        const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                          [](const MonitorInfo& m) { return m.primary; });
        chosen.push_back(
            primary != monitors.end() ? static_cast<std::size_t>(primary - monitors.begin()) : 0);
        return chosen;
    }
    if (every) {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            chosen.push_back(i);
        }
        return chosen;
    }
    for (const std::string& entry : wanted) {
        const auto index = FindMonitor(monitors, entry);
        if (!index) {
            error = "no monitor '" + entry + "' (" + std::to_string(monitors.size()) +
                    (monitors.size() == 1 ? " monitor" : " monitors") + ", see --list-monitors)";
            return std::nullopt;
        }
        if (std::find(chosen.begin(), chosen.end(), *index) != chosen.end()) {
            error = "monitor '" + entry + "' is chosen twice";
            return std::nullopt;
        }
        chosen.push_back(*index);
    }
    return chosen;
}

std::size_t LeadMonitor(const std::vector<MonitorInfo>& monitors,
                        const std::vector<std::size_t>& chosen) {
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (monitors[chosen[i]].primary) {
            return i;
        }
    }
    return 0;
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
