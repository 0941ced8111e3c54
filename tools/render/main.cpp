// SPDX-License-Identifier: MIT
// zynmon-render: draws one test picture headless and writes it as a PNG.
//
// It builds a CTestWnd for the given screen with a recording host, sets the
// state and runs the real paint path through the render frame.
#include <cstdio>
#include <string>
#include <vector>

#include "IntroRun.h"
#include "RenderOptions.h"
#include "files/StandardOutput.h"
#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "intro/Intro.h"
#include "png/PngWriter.h"
#include "testwindow/PictureFaces.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/Strings.h"
#include "testwindow/TestWnd.h"

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitBadArguments = 2;
constexpr int kExitRefused = 3;
constexpr int kExitWriteFailed = 1;
constexpr int kExitLogoRejected = 4;
constexpr int kExitFaceMissing = 5;

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseRenderOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "zynmon-render: %s\n%s", error.c_str(), kRenderUsage);
        return kExitBadArguments;
    }
    if (options->help || options->list) {
        if (options->help) {
            std::fputs(kRenderUsage, stdout);
        } else {
            for (std::size_t i = 0; i < kPictureNames.size(); ++i) {
                std::printf("%zu %s\n", i, kPictureNames[i]);
            }
        }
        return FinishStandardOutput("zynmon-render") ? kExitWritten : kExitWriteFailed;
    }
    // Text drawn with a stand-in face would be a wrong picture: none is written.
    if (const auto face = FirstMissingFace(options->picture, options->introAt.has_value())) {
        std::fprintf(stderr,
                     "zynmon-render: font face %s (%s, package %s) is not installed; "
                     "it is needed for %s\n",
                     face->name, face->file, face->package,
                     options->introAt ? "the intro and its picture" : "this picture");
        return kExitFaceMissing;
    }

    Surface surface(options->width, options->height, options->bitsPerPixel);
    RecordingHost host;
    CTestWnd testWnd(host, options->width, options->height, options->bitsPerPixel);
    testWnd.SetRefreshRate(static_cast<int>(options->refresh));
    testWnd.SetPicture(static_cast<BYTE>(options->picture));
    testWnd.SetResolution(static_cast<BYTE>(options->resolution));
    testWnd.SetColor(options->color);
    testWnd.SetVariant(options->variant);
    testWnd.SetTicks(options->ticks);

    if (options->introAt) {
        CIntro probe(host, testWnd.IsPaletteMode(), options->width, options->height);
        if (!probe.LoadLogo(options->logo.c_str())) {
            std::fprintf(stderr, "zynmon-render: logo file %s: %s\n", options->logo.c_str(),
                         LogoErrorText(probe.GetLoadError()));
            return kExitLogoRejected;
        }
        testWnd.SetLogoPath(options->logo);
        PaintIntroAt(testWnd, host, surface, *options->introAt);
    } else {
        for (std::uint32_t i = 0; i < options->repeat; ++i) {
            CDC dc(surface);
            testWnd.OnPaint(&dc);
        }
    }
    if (!WritePng(surface, options->output, error)) {
        std::fprintf(stderr, "zynmon-render: %s\n", error.c_str());
        return kExitWriteFailed;
    }
    if (!host.messages.empty()) {
        std::fprintf(stderr, "zynmon-render: %s\n", CTestWnd::kRefusalMessage);
        return kExitRefused;
    }
    return kExitWritten;
}
