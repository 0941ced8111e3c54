// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <sys/wait.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// Calls visit(x, y) for every pixel of r that lies on the surface.
template <typename Visit>
void ForEachPixel(const Surface& surface, const RECT& r, Visit visit) {
    for (int y = std::max(0, r.top); y < std::min(surface.Height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(surface.Width(), r.right); ++x) {
            visit(x, y);
        }
    }
}

// The colours of the pixels of r that lie on the surface, row by row.
std::vector<COLORREF> Pixels(const Surface& surface, const RECT& r) {
    std::vector<COLORREF> pixels;
    ForEachPixel(surface, r, [&](int x, int y) { pixels.push_back(surface.PixelColor(x, y)); });
    return pixels;
}

}  // namespace

std::vector<COLORREF> Row(const Surface& surface, int y) {
    return Pixels(surface, {0, y, surface.Width(), y + 1});
}

std::vector<COLORREF> Column(const Surface& surface, int x) {
    return Pixels(surface, {x, 0, x + 1, surface.Height()});
}

std::vector<int> LitAt(const std::vector<COLORREF>& line) {
    std::vector<int> lit;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != kBlack) {
            lit.push_back(static_cast<int>(i));
        }
    }
    return lit;
}

Runs RunsOf(const std::vector<COLORREF>& line) {
    Runs runs;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (runs.empty() || runs.back().second != line[i]) {
            runs.emplace_back(static_cast<int>(i), line[i]);
        }
    }
    return runs;
}

std::map<COLORREF, std::size_t> ColorCounts(const Surface& surface) {
    std::map<COLORREF, std::size_t> counts;
    ForEachPixel(surface, {0, 0, surface.Width(), surface.Height()},
                 [&](int x, int y) { ++counts[surface.PixelColor(x, y)]; });
    return counts;
}

RECT LitBounds(const Surface& surface, const RECT& window) {
    RECT b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    ForEachPixel(surface, window, [&](int x, int y) {
        if (surface.PixelColor(x, y) != kBlack) {
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                 std::max(b.bottom, y + 1)};
        }
    });
    return b.left == INT_MAX ? RECT{0, 0, 0, 0} : b;
}

bool IsFilled(const Surface& surface, const RECT& r, COLORREF c) {
    const std::vector<COLORREF> pixels = Pixels(surface, r);
    return std::all_of(pixels.begin(), pixels.end(), [&](COLORREF p) { return p == c; });
}

bool SamePixels(const Surface& a, const Surface& b) {
    const RECT whole{0, 0, a.Width(), a.Height()};
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           Pixels(a, whole) == Pixels(b, whole);
}

std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

int RunCommand(const std::string& command, std::string& output) {
    // Grouped, so that redirections inside the command still apply to it alone.
    FILE* pipe = popen(("{ " + command + "; } 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<BYTE> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
