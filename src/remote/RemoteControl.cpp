// SPDX-License-Identifier: MIT
#include "remote/RemoteControl.h"

#include <array>
#include <utility>

#include "gdi/CDC.h"
#include "png/PngWriter.h"

namespace {

constexpr std::array<std::pair<char, COLORREF>, 3> kGuns = {{
    {'r', 0x0000FF},
    {'g', 0x00FF00},
    {'b', 0xFF0000},
}};

RemoteError Invalid(std::string message) {
    return {RemoteError::Kind::kInvalidArgument, std::move(message)};
}

}  // namespace

std::string GunsOfColor(COLORREF color) {
    std::string guns;
    for (const auto& [letter, gun] : kGuns) {
        if ((color & gun) == gun) {
            guns += letter;
        }
    }
    return guns;
}

RemoteState CRemoteControl::State() const {
    return {m_testWnd.Picture(), m_testWnd.Variant(), GunsOfColor(m_testWnd.Color()),
            m_testWnd.Resolution(), m_testWnd.IsPanelShown()};
}

IPanel* CRemoteControl::Panel(RemoteResult& result) {
    IPanel* panel = m_testWnd.Panel();
    if (panel == nullptr) {
        result = RemoteError{RemoteError::Kind::kNotReady,
                             "the panel is not up yet: wait until PanelShown is true"};
    }
    return panel;
}

RemoteResult CRemoteControl::SetPicture(std::uint32_t picture) {
    if (picture >= CTestWnd::kPictureCount) {
        return Invalid("no picture " + std::to_string(picture) + " (0.." +
                       std::to_string(CTestWnd::kPictureCount - 1) + ")");
    }
    RemoteResult result;
    if (IPanel* panel = Panel(result)) {
        panel->SelectPicture(static_cast<int>(picture));
    }
    return result;
}

RemoteResult CRemoteControl::StepVariant() {
    RemoteResult result;
    if (Panel(result) != nullptr) {
        m_testWnd.OnRButtonDown();
    }
    return result;
}

RemoteResult CRemoteControl::SetGuns(const std::string& guns) {
    std::array<bool, kGuns.size()> on{};
    if (guns != "none") {
        for (char c : guns) {
            std::size_t i = 0;
            while (i < kGuns.size() && kGuns[i].first != c) {
                ++i;
            }
            if (i == kGuns.size() || on[i]) {
                return Invalid("bad guns '" + guns + "': letters of r, g, b, each once, or none");
            }
            on[i] = true;
        }
        if (guns.empty()) {
            return Invalid("no guns given: letters of r, g, b, or none");
        }
    }
    RemoteResult result;
    if (IPanel* panel = Panel(result)) {
        panel->SelectGuns(on[0], on[1], on[2]);
    }
    return result;
}

RemoteResult CRemoteControl::SetResolution(std::uint32_t level) {
    if (level > 2) {
        return Invalid("no resolution level " + std::to_string(level) +
                       " (0 Niedrig, 1 Mittel, 2 Hoch)");
    }
    RemoteResult result;
    if (IPanel* panel = Panel(result)) {
        panel->SelectResolution(static_cast<int>(level));
    }
    return result;
}

RemoteResult CRemoteControl::ShowPanel(bool shown) {
    RemoteResult result;
    if (Panel(result) != nullptr) {
        m_testWnd.ShowPanel(shown);
    }
    return result;
}

RemoteResult CRemoteControl::Capture(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return Invalid("the capture's path must be absolute: '" + path + "'");
    }
    // The store as the next paint leaves it: a change made just now may not
    // have been drawn yet. The intro's frames are captured as they stand.
    if (!m_testWnd.IsIntroRunning()) {
        CDC dc(m_store);
        m_testWnd.RenderPicture(&dc);
    }
    std::string error;
    if (!WritePng(m_store, path, error)) {
        return RemoteError{RemoteError::Kind::kFailed, error};
    }
    return std::nullopt;
}
