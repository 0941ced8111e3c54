// SPDX-License-Identifier: MIT
// libFuzzer target of the logo reader: any bytes are read as a logo file and
// loaded on a few screens; a logo that loads is drawn at the start, middle and
// end of the zoom. Aborts when the run store points outside its data or a
// pixel is no ramp entry (0..128). The corpus replay test calls it too.
#include <cstdint>
#include <cstdlib>

#include "intro/Intro.h"
#include "testwindow/RecordingHost.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const BYTE> file(data, size);
    LogoFile logo;
    const bool read = logo.Parse(file) == LogoError::kNone;
    Require(read || (logo.Rows().empty() && logo.RunData().empty() && logo.Rect() == RECT{}));
    for (const WORD* row : logo.Rows()) {
        Require(row == nullptr || (row >= logo.RunData().data() &&
                                   row < logo.RunData().data() + logo.RunData().size()));
    }
    constexpr struct {
        int width, height, bitsPerPixel;
    } kScreens[] = {{320, 240, 32}, {97, 61, 8}, {3, 2, 32}};
    for (const auto& screen : kScreens) {
        RecordingHost host;
        Surface surface(screen.width, screen.height, screen.bitsPerPixel);
        CIntro intro(host, screen.bitsPerPixel <= 8, screen.width, screen.height);
        if (!intro.LoadLogo(file)) {
            continue;
        }
        CDC dc(surface);
        for (const double t : {0.0, 0.5, 1.0}) {
            intro.DrawZoomFrame(&dc, t);
            for (const BYTE value : intro.Image().Pixels()) {
                Require(value <= 128);
            }
        }
    }
    return 0;
}
