// Helpers of the intro tests: logo files built in memory, and an intro
// stepped by hand with the recording host's clock.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "intro/Intro.h"
#include "testwindow/RecordingHost.h"

// The runs of one row, as signed 16-bit start and end.
using RunRow = std::vector<std::pair<int, int>>;

// The bytes of a logo file with this header and these row records.
std::vector<BYTE> MakeLogoFile(std::uint32_t S, int A, int B, const std::vector<RunRow>& rows);
// The run store the rows need: 4 bytes a run and 2 for the end mark, per row with runs.
std::uint32_t RunStoreSize(const std::vector<RunRow>& rows);
// A logo of A x B units, every unit covered.
std::vector<BYTE> SolidLogo(int A, int B);
// A file in a fresh temporary directory; returns its path.
std::string WriteTempFile(const std::string& name, std::span<const BYTE> bytes);

struct IntroRig {
    IntroRig(int width, int height, int bitsPerPixel, std::span<const BYTE> logo)
        : surface(width, height, bitsPerPixel), intro(host, bitsPerPixel <= 8, width, height) {
        loaded = intro.LoadLogo(logo);
    }
    // One step with the clock at ms; keeps the text colour the step left.
    bool StepAt(std::uint32_t ms) {
        host.now = ms;
        CDC dc(surface);
        const bool running = intro.Play(&dc);
        textColor = dc.GetTextColor();
        return running;
    }
    // Steps every frameMs after the current time, then once at ms; false as
    // soon as the intro has ended.
    bool RunTo(std::uint32_t ms, std::uint32_t frameMs = 100) {
        while (host.now + frameMs < ms) {
            if (!StepAt(host.now + frameMs)) {
                return false;
            }
        }
        return StepAt(ms);
    }
    COLORREF At(int x, int y) const { return surface.PixelColor(x, y); }

    RecordingHost host;
    Surface surface;
    CIntro intro;
    bool loaded = false;
    COLORREF textColor = 0;
};

constexpr COLORREF kLogoColor = RGB(40, 66, 132);
