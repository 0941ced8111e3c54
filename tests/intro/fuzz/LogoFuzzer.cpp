// libFuzzer target of the logo reader: any bytes are loaded as a logo file on
// a few screens; a logo that loads is drawn at the start, middle and end of
// the zoom, and every pixel must stay a ramp entry (0..128).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "intro/Intro.h"
#include "testwindow/RecordingHost.h"

namespace {

struct FuzzScreen {
    int width;
    int height;
    int bitsPerPixel;
};
constexpr FuzzScreen kScreens[] = {{320, 240, 32}, {97, 61, 8}, {3, 2, 32}};
constexpr double kProgress[] = {0.0, 0.5, 1.0};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckLoaded(const CIntro& intro) {
    const auto data = intro.RunData();
    for (const WORD* row : intro.Rows()) {
        if (row == nullptr) {
            continue;
        }
        Require(row >= data.data() && row < data.data() + data.size());
    }
    Require(intro.Pixels().size() == intro.ImageSize());
    Require(intro.ColumnEdgeCount() == static_cast<std::size_t>(intro.ImageWidth()));
    for (const BYTE value : intro.Pixels()) {
        Require(value <= 128);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const FuzzScreen& screen : kScreens) {
        RecordingHost host;
        Surface surface(screen.width, screen.height, screen.bitsPerPixel);
        CIntro intro(host, screen.bitsPerPixel <= 8, screen.width, screen.height);
        if (!intro.LoadLogo(std::span<const BYTE>(data, size))) {
            Require(intro.GetLoadError() != CIntro::LogoError::kNone);
            continue;
        }
        CDC dc(surface);
        for (const double t : kProgress) {
            intro.DrawZoomFrame(&dc, t);
            CheckLoaded(intro);
        }
    }
    return 0;
}
