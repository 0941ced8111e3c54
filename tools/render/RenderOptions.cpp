// SPDX-License-Identifier: MIT
#include "RenderOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>

const char* const kRenderUsage =
    "usage: zynmon-render --picture N [--size WxH] [--bpp B] [--resolution L]\n"
    "                     [--guns SET] [--variant V] [--ticks T] [--refresh HZ]\n"
    "                     [--repeat R] --output FILE.png\n"
    "       zynmon-render --intro-at MS --logo FILE [--picture N] [options] --output FILE.png\n"
    "       zynmon-render --list | --help\n"
    "  N 0..12; WxH default 1024x768 (1..16384 each); B 1, 4, 8, 15, 16, 24, 32 (default 32);\n"
    "  L 0 Niedrig, 1 Mittel (default), 2 Hoch; SET letters of r, g, b, or none (default);\n"
    "  V, T unsigned 32-bit counters (default 0); HZ 0..1000, the refresh rate the test card\n"
    "  states (default 0); R 1..100000 paints before the PNG is written (default 1).\n"
    "  MS: the intro as it stands MS ms after it started, no input, zoom at 60 frames a\n"
    "  second; FILE the logo data file; the picture (default 0) follows the intro.\n"
    "  Options also take their value after '=' (--picture=3). The PNG is written whole or\n"
    "  not at all: an old FILE.png stays as it was when writing fails.\n"
    "Exit status: 0 written; 1 the PNG or the standard output cannot be written (the\n"
    "system's reason on stderr); 2 bad arguments; 3 picture refused for the colour depth\n"
    "(the PNG is the black screen); 4 logo file missing or rejected; 5 a font face the\n"
    "picture or the intro draws with is not installed (named on stderr, nothing written).\n";

namespace {

constexpr std::uint32_t kLastPicture = 12;
constexpr const char* kValueOptions[] = {"--picture", "--size",     "--bpp",   "--resolution",
                                         "--guns",    "--variant",  "--ticks", "--refresh",
                                         "--repeat",  "--intro-at", "--logo",  "--output"};

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
        // "--name=value" and "--name value" alike.
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "--list") {
            if (inlineValue) {
                error = name + " takes no value";
                return std::nullopt;
            }
            (name == "--help" ? options.help : options.list) = true;
            continue;
        }
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), name) ==
            std::end(kValueOptions)) {
            error = "unknown argument " + name;
            return std::nullopt;
        }
        if (!inlineValue && i + 1 >= args.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string value = inlineValue ? *inlineValue : args[++i];
        std::uint32_t number = 0;
        bool ok = true;
        if (name == "--picture") {
            ok = ParseU32(value, number) && number <= kLastPicture;
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
            ok = ParseU32(value, options.refresh) && options.refresh <= kMaxRefreshHz;
        } else if (name == "--repeat") {
            ok = ParseU32(value, options.repeat) && options.repeat >= 1 &&
                 options.repeat <= kMaxRepeat;
        } else if (name == "--intro-at") {
            ok = ParseU32(value, number);
            options.introAt = number;
        } else if (name == "--logo") {
            options.logo = value;
            ok = !value.empty();
        } else {
            options.output = value;
            ok = !value.empty();
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
