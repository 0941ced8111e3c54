// SPDX-License-Identifier: MIT
#include "RenderOptions.h"

#include <charconv>

const char* const kRenderUsage =
    "usage: zynmon-render --picture N [--size WxH] [--bpp B] [--resolution L]\n"
    "                     [--guns SET] [--variant V] [--ticks T] [--refresh HZ]\n"
    "                     [--repeat N] --output FILE.png\n"
    "       zynmon-render --intro-at MS --logo FILE [--picture N] [options] --output FILE.png\n"
    "       zynmon-render --list | --help\n"
    "  N 0..12; WxH default 1024x768 (1..16384 each); B 1, 4, 8, 15, 16, 24, 32 (default 32);\n"
    "  L 0 Niedrig, 1 Mittel (default), 2 Hoch; SET letters of r, g, b, or none (default);\n"
    "  V, T unsigned 32-bit counters (default 0); HZ the refresh rate the test card states.\n"
    "  MS: the intro as it stands MS ms after it started, no input, zoom at 60 frames a\n"
    "  second; FILE the logo data file; the picture (default 0) follows the intro.\n"
    "Exit status: 0 written, 2 bad arguments, 3 picture refused for the colour depth,\n"
    "4 logo file missing or rejected.\n";

namespace {

bool ParseU32(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    const char* end = text.data() + text.size();
    std::uint64_t v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v > UINT32_MAX) {
        return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    if (x == std::string::npos || !ParseU32(text.substr(0, x), w) ||
        !ParseU32(text.substr(x + 1), h) || w < 1 || h < 1 || w > 16384 || h > 16384) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool ParseGuns(const std::string& text, COLORREF& color) {
    if (text == "none") {
        color = 0xFFFFFF;
        return true;
    }
    COLORREF guns = 0;
    for (char c : text) {
        switch (c) {
            case 'r':
                guns |= 0x0000FF;
                break;
            case 'g':
                guns |= 0x00FF00;
                break;
            case 'b':
                guns |= 0xFF0000;
                break;
            default:
                return false;
        }
    }
    if (guns == 0) {
        return false;
    }
    color = guns;
    return true;
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string& error) {
    RenderOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help") {
            options.help = true;
            continue;
        }
        if (name == "--list") {
            options.list = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unknown argument " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        std::uint32_t number = 0;
        bool ok = true;
        if (name == "--picture") {
            ok = ParseU32(value, number) && number <= 12;
            options.picture = static_cast<int>(number);
        } else if (name == "--size") {
            ok = ParseSize(value, options.width, options.height);
        } else if (name == "--bpp") {
            ok = ParseU32(value, number) &&
                 (number == 1 || number == 4 || number == 8 || number == 15 || number == 16 ||
                  number == 24 || number == 32);
            options.bitsPerPixel = static_cast<int>(number);
        } else if (name == "--resolution") {
            ok = ParseU32(value, number) && number <= 2;
            options.resolution = static_cast<int>(number);
        } else if (name == "--guns") {
            ok = ParseGuns(value, options.color);
        } else if (name == "--variant") {
            ok = ParseU32(value, options.variant);
        } else if (name == "--ticks") {
            ok = ParseU32(value, options.ticks);
        } else if (name == "--refresh") {
            ok = ParseU32(value, options.refresh);
        } else if (name == "--repeat") {
            ok = ParseU32(value, options.repeat) && options.repeat >= 1;
        } else if (name == "--intro-at") {
            ok = ParseU32(value, number);
            options.introAt = number;
        } else if (name == "--logo") {
            options.logo = value;
            ok = !value.empty();
        } else if (name == "--output") {
            options.output = value;
            ok = !value.empty();
        } else {
            error = "unknown argument " + name;
            return std::nullopt;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    if (options.introAt.has_value() != !options.logo.empty()) {
        error = "--intro-at and --logo go together";
        return std::nullopt;
    }
    if (options.introAt && options.picture < 0) {
        options.picture = 0;
    }
    if (!options.help && !options.list) {
        if (options.picture < 0) {
            error = "--picture is required";
            return std::nullopt;
        }
        if (options.output.empty()) {
            error = "--output is required";
            return std::nullopt;
        }
    }
    return options;
}
