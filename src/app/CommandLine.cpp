// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>

#include "gdi/Surface.h"

// The usage names the pictures' range as text.
static_assert(kLastPicture == 12, "--picture's range in kUsage");
static_assert(Surface::kMaxSide == 16384, "the largest monitor in kUsage");

const char* const kUsage =
    "usage: zynmon [--monitor N|NAME[,...]|all] [--picture N] [--no-intro] [--remote]\n"
    "       zynmon --list-monitors | --help | --version\n"
    "Shows test pictures full screen, with a control panel above them.\n"
    "  --monitor N|NAME  the monitor to test: its index or name from --list-monitors\n"
    "                    (default: the primary monitor, else the first); several,\n"
    "                    separated by commas (0,2), or all: a picture on each, one\n"
    "                    panel for all, on the primary monitor among them\n"
    "  --picture N       the picture to start with, 0..12 (default 0)\n"
    "  --no-intro        start with the picture, without the logo intro\n"
    "  --remote          take remote calls on the session bus (see the manual page)\n"
    "  --list-monitors   print one line per monitor: index, name, size in physical\n"
    "                    pixels and position, scale, refresh rate, primary\n"
    "  --help            print this help\n"
    "  --version         print the program's version\n"
    "Exit status: 0 ended from the panel or a remote call, 1 no display (or no session\n"
    "bus for --remote, or standard output not written), 2 bad command line (or the\n"
    "name on the bus already taken), 3 the display cannot show the pictures exactly\n"
    "(a colour-mapped screen, a monitor over 16384 pixels or of no size).\n";

namespace {

enum class Option { Monitor, Picture, NoIntro, Remote, ListMonitors, Help, Version };

struct OptionName {
    const char* name;
    Option option;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {"--monitor", Option::Monitor, true},   {"--picture", Option::Picture, true},
    {"--no-intro", Option::NoIntro, false}, {"--list-monitors", Option::ListMonitors, false},
    {"--help", Option::Help, false},        {"--version", Option::Version, false},
    {"--remote", Option::Remote, false},
};

// Digits only, no sign: 0..kLastPicture.
// A comma-separated list of indices or names, or "all" alone. Repeats are
// the monitor choice's to find: a name and an index may name the same one.
bool ParseMonitors(const std::string& text, std::vector<std::string>& monitors,
                   std::string& error) {
    std::vector<std::string> entries;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        entries.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (std::find(entries.begin(), entries.end(), "") != entries.end()) {
        error = "bad monitor list '" + text + "' for '--monitor': an empty entry";
        return false;
    }
    if (entries.size() > 1 &&
        std::find(entries.begin(), entries.end(), kAllMonitors) != entries.end()) {
        error = "bad monitor list '" + text + "' for '--monitor': 'all' stands alone";
        return false;
    }
    monitors = std::move(entries);
    return true;
}

bool ParsePicture(const std::string& text, int& picture) {
    const char* end = text.data() + text.size();
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || text.front() == '+' || ec != std::errc() ||
        ptr != end || value < 0 || value > kLastPicture) {
        return false;
    }
    picture = value;
    return true;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool list = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionName* known = nullptr;
        for (const OptionName& option : kOptions) {
            if (name == option.name) {
                known = &option;
            }
        }
        if (known == nullptr) {
            error = arg.rfind("-", 0) == 0 ? "unknown option '" + name + "'"
                                           : "unexpected argument '" + arg + "'";
            return std::nullopt;
        }
        std::string value;
        if (known->takesValue) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                error = "option '" + name + "' needs a value";
                return std::nullopt;
            }
        } else if (equals != std::string::npos) {
            error = "option '" + name + "' takes no value";
            return std::nullopt;
        }
        switch (known->option) {
            case Option::Monitor:
                if (value.empty()) {
                    error = "option '--monitor' needs a monitor's index or name";
                    return std::nullopt;
                }
                if (!ParseMonitors(value, line.monitors, error)) {
                    return std::nullopt;
                }
                break;
            case Option::Picture:
                if (!ParsePicture(value, line.picture)) {
                    error = "bad picture '" + value + "' for '--picture' (0.." +
                            std::to_string(kLastPicture) + ")";
                    return std::nullopt;
                }
                break;
            case Option::NoIntro:
                line.intro = false;
                break;
            case Option::Remote:
                line.remote = true;
                break;
            case Option::ListMonitors:
                list = true;
                break;
            case Option::Help:
                help = true;
                break;
            case Option::Version:
                version = true;
                break;
        }
    }
    if (help) {
        line.action = CommandLine::Action::Help;
    } else if (version) {
        line.action = CommandLine::Action::Version;
    } else if (list) {
        line.action = CommandLine::Action::ListMonitors;
    }
    return line;
}
