// SPDX-License-Identifier: MIT
// Remote calls: each goes through the panel as the user's choice would, a bad
// one changes nothing, and a capture is the renderer's file of that state.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <tuple>

#include "remote/RemoteControl.h"
#include "support/TestSupport.h"

namespace {

using Kind = RemoteError::Kind;
using Call = std::function<RemoteResult(CRemoteControl&)>;

TEST(RemoteControl, CallsGoThroughThePanelAndBadOnesChangeNothing) {
    // 16 colours: the moiré picture (6) is refused.
    Screen screen(64, 48, 4);
    CRemoteControl control(screen.wnd, screen.surface);
    const RemoteState start{0, 0, "rgb", 1, false};
    // Until the panel is up every change waits for it.
    for (const Call& call : {Call([](auto& c) { return c.SetPicture(1); }),
                             Call([](auto& c) { return c.StepVariant(); }),
                             Call([](auto& c) { return c.SetGuns("r"); }),
                             Call([](auto& c) { return c.SetResolution(0); }),
                             Call([](auto& c) { return c.ShowPanel(false); })}) {
        const RemoteResult result = call(control);
        EXPECT_TRUE(result && result->kind == Kind::kNotReady);
        EXPECT_EQ(control.State(), start);
    }
    FakePanel panel(screen.host, screen.wnd);
    screen.wnd.SetPanel(&panel);
    const struct {
        Call call;
        std::optional<Kind> error;
        RemoteState after;
    } kCalls[] = {
        {[](auto& c) { return c.SetPicture(13); }, Kind::kInvalidArgument, {0, 0, "rgb", 1, true}},
        {[](auto& c) { return c.SetPicture(2); }, {}, {2, 0, "rgb", 1, true}},
        {[](auto& c) { return c.SetGuns("br"); }, {}, {2, 0, "rb", 1, true}},
        {[](auto& c) { return c.SetGuns("rr"); }, Kind::kInvalidArgument, {2, 0, "rb", 1, true}},
        {[](auto& c) { return c.SetGuns(""); }, Kind::kInvalidArgument, {2, 0, "rb", 1, true}},
        {[](auto& c) { return c.SetGuns("rgbw"); }, Kind::kInvalidArgument, {2, 0, "rb", 1, true}},
        {[](auto& c) { return c.SetResolution(3); }, Kind::kInvalidArgument, {2, 0, "rb", 1, true}},
        {[](auto& c) { return c.SetResolution(0); }, {}, {2, 0, "rb", 0, true}},
        {[](auto& c) { return c.StepVariant(); }, {}, {2, 1, "rb", 0, true}},
        {[](auto& c) { return c.ShowPanel(false); }, {}, {2, 1, "rb", 0, false}},
        {[](auto& c) { return c.ShowPanel(false); }, {}, {2, 1, "rb", 0, false}},
        {[](auto& c) { return c.ShowPanel(true); }, {}, {2, 1, "rb", 0, true}},
        {[](auto& c) { return c.Capture("relative.png"); },
         Kind::kInvalidArgument,
         {2, 1, "rb", 0, true}},
    };
    for (const auto& c : kCalls) {
        const RemoteResult result = c.call(control);
        const auto step = &c - kCalls;
        EXPECT_EQ(result ? std::optional(result->kind) : std::nullopt, c.error) << step;
        EXPECT_EQ(control.State(), c.after) << step;
    }
    EXPECT_EQ(panel.checked, std::tuple(true, false, true));
    EXPECT_EQ(screen.host.cursorCount, 0);
    EXPECT_EQ(control.SetGuns("none"), std::nullopt);
    EXPECT_EQ(control.State().guns, "rgb");

    // The capture draws the state not yet painted and writes what the
    // renderer writes, the refused picture's black screen and message too.
    const std::string folder = testing::TempDir() + "zynmon-remote-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    for (const auto& [picture, args, status] :
         {std::tuple(2, " --guns none --resolution 0 --variant 1", 0), std::tuple(6, "", 3)}) {
        const std::string capture = folder + "/capture.png";
        const std::string rendered = folder + "/rendered.png";
        ASSERT_EQ(control.SetPicture(picture), std::nullopt);
        EXPECT_EQ(control.Capture(capture), std::nullopt);
        const int result =
            std::system((std::string(ZYN_RENDER_EXE) + " --size 64x48 --bpp 4" + " --picture " +
                         std::to_string(picture) + args + " --output " + rendered + " 2>/dev/null")
                            .c_str());
        EXPECT_EQ(WEXITSTATUS(result), status);
        EXPECT_EQ(ReadFile(capture), ReadFile(rendered)) << picture;
    }
    EXPECT_EQ(screen.host.messages.size(), 1u);
    std::filesystem::remove_all(folder);
}

}  // namespace
