// SPDX-License-Identifier: MIT
// The control panel dialog run under a display (Xvfb in the end-to-end run):
// it is created with a real CTestWnd and a recording host, and its controls
// are asked what they show.
#include <gtest/gtest.h>

#include "panel/PanelDlg.h"
#include "panel/PanelTemplate.h"
#include "testwindow/RecordingHost.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>

namespace {

class PanelDlgTest : public ::testing::Test {
protected:
    PanelDlgTest()
        : owner(new wxFrame(nullptr, wxID_ANY, "owner")),
          wnd(host, 1024, 768, 24),
          other(otherHost, 1920, 1080, 24),
          dlg((wnds.Add(wnd, host), wnds.Add(other, otherHost),
               new CPanelDlg(owner, wnds, DialogColors{wxColour(192, 192, 192), *wxBLACK}))) {}
    ~PanelDlgTest() override {
        owner->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxWindow* Control(int id) const { return dlg->FindWindow(id); }
    bool Enabled(int id) const { return Control(id)->IsEnabled(); }
    void PressKey(wxWindow* target, wxEventType type, int keyCode) const {
        wxKeyEvent key(type);
        key.m_keyCode = keyCode;
        key.SetEventObject(target);
        target->ProcessWindowEvent(key);
    }

    wxFrame* owner;
    RecordingHost host, otherHost;
    CTestWnd wnd, other;
    CTestWndGroup wnds;
    CPanelDlg* dlg;
};

// Starts on the test window's picture at Mittel, the captions in German with
// their umlauts, the controls in template order. Buttons, list and space on a
// button choose the picture in both windows and enable the groups the picture
// has; a disabled group keeps the test window's settings. (The end-to-end run
// finds the panel by its title, clicks its buttons, starts with no gun checked
// and has the list follow the test window's keys.)
TEST_F(PanelDlgTest, StartsWithTheTestWindowsSettingsAndEveryWayOfChoosingAgrees) {
    constexpr int kGroups[13] = {1, 3, 3, 3, 3, 1, 3, 0, 0, 2, 0, 0, 0};  // bit 0 level, 1 colour
    auto expect = [&](int picture) {
        EXPECT_EQ(dlg->PictureList()->GetSelection(), picture);
        EXPECT_EQ(wnd.Picture(), picture);
        EXPECT_EQ(other.Picture(), picture);
        for (int id : panel::kResolutionGroupIds) {
            EXPECT_EQ(Enabled(id), (kGroups[picture] & 1) != 0) << picture << " " << id;
        }
        for (int id : panel::kColorGroupIds) {
            EXPECT_EQ(Enabled(id), (kGroups[picture] & 2) != 0) << picture << " " << id;
        }
    };
    expect(0);
    ASSERT_EQ(dlg->PictureList()->GetCount(), 13u);
    EXPECT_EQ(dlg->PictureList()->GetString(7).utf8_string(), "Farbverläufe");
    EXPECT_TRUE(wxStaticCast(Control(panel::kIdMedium), wxRadioButton)->GetValue());
    EXPECT_EQ(Control(panel::kIdResolutionGroup)->GetLabel().utf8_string(), "Auflösung");
    std::vector<wxWindow*> children(dlg->GetChildren().begin(), dlg->GetChildren().end());
    ASSERT_EQ(children.size(), panel::kControls.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (panel::kControls[i].id != panel::kIdStatic) {
            EXPECT_EQ(children[i]->GetId(), panel::kControls[i].id) << i;
        }
    }
    EXPECT_EQ(host.invalidations, 0);
    wxStaticCast(Control(panel::kIdRed), wxCheckBox)->SetValue(true);
    dlg->OnColorCheck(panel::kIdRed);
    EXPECT_TRUE(dlg->OnResolution(panel::kIdLow));
    EXPECT_FALSE(dlg->OnResolution(panel::kIdRed));
    for (int picture : {12, 0, 9, 7, 1, 5, 11, 2, 10, 3, 8, 4, 6}) {
        EXPECT_TRUE(dlg->OnPictureButton(panel::kPictureButtonIds[picture]));
        expect(picture);
        dlg->PictureList()->SetSelection(12 - picture);
        dlg->OnSelchangePicture();
        expect(12 - picture);
    }
    EXPECT_FALSE(dlg->OnPictureButton(panel::kIdFullScreen));
    for (const CTestWnd* w : {&wnd, &other}) {
        EXPECT_EQ(w->Color(), 0x0000FFu);
        EXPECT_EQ(w->Resolution(), 0);
    }
    PressKey(dlg->PictureButton(7), wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_EQ(dlg->PictureButton(7)->ShownState(), 1);
    PressKey(dlg->PictureButton(7), wxEVT_KEY_UP, WXK_SPACE);
    expect(7);
}

// Group boxes frame other controls by design: only their caption strip must
// stay clear, and they must not cross each other. A warning (the test window
// does not cover its monitor) goes below the controls, wrapped to the panel's
// width, which the panel keeps while it grows to hold all of it.
TEST_F(PanelDlgTest, NoControlCoversAnotherWithAWarningToo) {
    // wxDynamicCast casts to the target type before it checks the class.
    const auto box = [](wxWindow* w) { return dynamic_cast<wxStaticBox*>(w); };
    const auto area = [&](wxWindow* w, bool whole) {
        wxRect r = w->GetRect();
        int other = 0;
        if (box(w) != nullptr && !whole) {
            box(w)->GetBordersForSizer(&r.height, &other);
        }
        return r;
    };
    const wxSize before = dlg->GetClientSize();
    wxString warning = "the desktop put it elsewhere";
    for (int i = 0; i < 4; ++i) {
        warning += ", " + warning;
    }
    for (const bool warned : {false, true}) {
        if (warned) {
            dlg->ShowWarning(warning);
        }
        const std::vector<wxWindow*> controls(dlg->GetChildren().begin(), dlg->GetChildren().end());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            EXPECT_TRUE(wxRect(dlg->GetClientSize()).Contains(controls[i]->GetRect()))
                << controls[i]->GetLabel();
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const bool boxes = box(controls[i]) != nullptr && box(controls[j]) != nullptr;
                EXPECT_FALSE(area(controls[i], boxes).Intersects(area(controls[j], boxes)))
                    << controls[i]->GetId() << " " << controls[i]->GetLabel() << " and "
                    << controls[j]->GetId() << " " << controls[j]->GetLabel();
            }
        }
        wxString last = controls.back()->GetLabel();
        last.Replace("\n", " ");
        EXPECT_EQ(last == warning, warned);
    }
    EXPECT_EQ(dlg->GetClientSize().x, before.x);
    EXPECT_GT(dlg->GetClientSize().y, before.y);
    // The list keeps its template position where its own height allows.
    EXPECT_EQ(dlg->PictureList()->GetRect().GetBottom() + 1,
              dlg->PictureButton(0)->GetPosition().y);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "test_panel_gui: no display\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
