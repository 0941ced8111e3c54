// The control panel dialog run under a display (Xvfb in the end-to-end run):
// it is created with a real CTestWnd and a recording host, and its controls
// are asked what they show.
#include <gtest/gtest.h>

#include <utility>

#include "panel/PanelDlg.h"
#include "panel/PanelTemplate.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/Strings.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>

namespace {

class PanelDlgTest : public ::testing::Test {
protected:
    PanelDlgTest()
        : owner(new wxFrame(nullptr, wxID_ANY, "owner")),
          wnd(host, 1024, 768, 24),
          dlg(new CPanelDlg(owner, wnd, host, DialogColors{})) {}
    ~PanelDlgTest() override {
        owner->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxWindow* Control(int id) const { return dlg->FindWindow(id); }
    bool Enabled(int id) const { return Control(id)->IsEnabled(); }
    void SetCheck(int id, bool checked) const {
        wxStaticCast(Control(id), wxCheckBox)->SetValue(checked);
    }
    void PressKey(wxWindow* target, wxEventType type, int keyCode) const {
        wxKeyEvent key(type);
        key.m_keyCode = keyCode;
        key.SetEventObject(target);
        target->ProcessWindowEvent(key);
    }
    void ChooseFromList(int picture) const {
        dlg->PictureList()->SetSelection(picture);
        wxCommandEvent choice(wxEVT_CHOICE, panel::kIdPictureList);
        choice.SetInt(picture);
        dlg->PictureList()->ProcessWindowEvent(choice);
    }
    void ExpectGroupsOf(int picture) const {
        SCOPED_TRACE(kPictureNames[picture]);
        for (int id : panel::kResolutionGroupIds) {
            EXPECT_EQ(Enabled(id), panel::kResolutionGroupTable[picture] == 1) << id;
        }
        for (int id : panel::kColorGroupIds) {
            EXPECT_EQ(Enabled(id), panel::kColorGroupTable[picture] == 1) << id;
        }
    }

    wxFrame* owner;
    RecordingHost host;
    CTestWnd wnd;
    CPanelDlg* dlg;
};

TEST_F(PanelDlgTest, StartsWithFirstPictureMediumAndNoGunChecked) {
    EXPECT_EQ(wnd.m_pPanel, static_cast<IPanel*>(dlg));
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(dlg->GetTitle().utf8_string(), "ZYN Monitor Test Kontrollfeld");
    ASSERT_EQ(dlg->PictureList()->GetCount(), 13u);
    for (unsigned i = 0; i < 13; ++i) {
        EXPECT_EQ(dlg->PictureList()->GetString(i).utf8_string(), kPictureNames[i]);
    }
    EXPECT_EQ(dlg->PictureList()->GetSelection(), 0);
    EXPECT_TRUE(wxStaticCast(Control(panel::kIdMedium), wxRadioButton)->GetValue());
    EXPECT_FALSE(wxStaticCast(Control(panel::kIdHigh), wxRadioButton)->GetValue());
    for (int id : {panel::kIdRed, panel::kIdGreen, panel::kIdBlue}) {
        EXPECT_FALSE(wxStaticCast(Control(id), wxCheckBox)->GetValue());
    }
    ExpectGroupsOf(0);
    // The panel's initial settings equal the test window's: no repaint.
    EXPECT_EQ(host.invalidations, 0);
    EXPECT_EQ(wnd.m_nResolution, 1);
    EXPECT_EQ(wnd.m_crColor, 0xFFFFFFu);
}

TEST_F(PanelDlgTest, CaptionsKeepTheirUmlauts) {
    EXPECT_EQ(Control(panel::kIdGreen)->GetLabel().utf8_string(), "Grün");
    EXPECT_EQ(Control(panel::kIdResolutionGroup)->GetLabel().utf8_string(), "Auflösung");
    EXPECT_EQ(Control(panel::kIdFullScreen)->GetLabel().utf8_string(), "Volles Bild");
}

TEST_F(PanelDlgTest, ControlsFollowTheTemplateOrder) {
    std::vector<wxWindow*> children(dlg->GetChildren().begin(), dlg->GetChildren().end());
    ASSERT_EQ(children.size(), panel::kControls.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (panel::kControls[i].id != panel::kIdStatic) {
            EXPECT_EQ(children[i]->GetId(), panel::kControls[i].id) << i;
        } else {
            EXPECT_EQ(children[i]->GetLabel().utf8_string(), "Testbild");
        }
    }
}

TEST_F(PanelDlgTest, PictureButtonsAreTheirBitmapsSize) {
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(dlg->PictureButton(i)->GetSize(), wxSize(18, 18)) << i;
    }
    // Rows of six at steps of 15 dialog units: equal horizontal steps.
    const int step =
        dlg->PictureButton(1)->GetPosition().x - dlg->PictureButton(0)->GetPosition().x;
    EXPECT_GE(step, 18);
    for (int i = 1; i < 6; ++i) {
        EXPECT_NEAR(
            dlg->PictureButton(i)->GetPosition().x - dlg->PictureButton(i - 1)->GetPosition().x,
            step, 1);
    }
    EXPECT_EQ(dlg->PictureButton(6)->GetPosition().x, dlg->PictureButton(0)->GetPosition().x);
    EXPECT_GT(dlg->PictureButton(6)->GetPosition().y, dlg->PictureButton(0)->GetPosition().y);
}

TEST_F(PanelDlgTest, NoControlCoversAnother) {
    // Group boxes frame other controls by design; only their caption strip
    // must stay clear, and they must not cross each other.
    const auto isGroupBox = [](wxWindow* w) { return wxDynamicCast(w, wxStaticBox) != nullptr; };
    const auto area = [&](wxWindow* w) {
        wxRect r = w->GetRect();
        if (isGroupBox(w)) {
            int top = 0;
            int other = 0;
            wxStaticCast(w, wxStaticBox)->GetBordersForSizer(&top, &other);
            r.height = top;
        }
        return r;
    };
    const std::vector<wxWindow*> controls(dlg->GetChildren().begin(), dlg->GetChildren().end());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const bool both = isGroupBox(controls[i]) && isGroupBox(controls[j]);
            const wxRect a = both ? controls[i]->GetRect() : area(controls[i]);
            const wxRect b = both ? controls[j]->GetRect() : area(controls[j]);
            EXPECT_FALSE(a.Intersects(b))
                << controls[i]->GetId() << " " << controls[i]->GetLabel() << " at " << a.x << ","
                << a.y << " " << a.width << "x" << a.height << " and " << controls[j]->GetId()
                << " " << controls[j]->GetLabel() << " at " << b.x << "," << b.y << " " << b.width
                << "x" << b.height;
        }
    }
    // The list keeps its template position where its own height allows.
    EXPECT_EQ(dlg->PictureList()->GetRect().GetBottom() + 1,
              dlg->PictureButton(0)->GetPosition().y);
}

TEST_F(PanelDlgTest, SitsAtTheCentringFormula) {
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxSize client = dlg->GetClientSize();
    const POINT expected = panel::CentredOrigin(screen.width, screen.height, client.x, client.y);
    EXPECT_EQ(dlg->GetPosition(), wxPoint(expected.x, expected.y));
}

TEST_F(PanelDlgTest, EveryPictureButtonSelectsItsPictureAndEnablesItsGroups) {
    for (int picture : {12, 0, 9, 7, 1, 5, 11, 2, 10, 3, 8, 4, 6}) {
        EXPECT_TRUE(dlg->OnPictureButton(panel::kPictureButtonIds[picture]));
        EXPECT_EQ(dlg->PictureList()->GetSelection(), picture);
        EXPECT_EQ(wnd.m_nPicture, picture);
        ExpectGroupsOf(picture);
    }
    EXPECT_FALSE(dlg->OnPictureButton(1002));
    EXPECT_FALSE(dlg->OnPictureButton(panel::kIdFullScreen));
}

TEST_F(PanelDlgTest, ListSelectionDrivesTheTestWindow) {
    for (int picture = 12; picture >= 0; --picture) {
        ChooseFromList(picture);
        EXPECT_EQ(wnd.m_nPicture, picture);
        ExpectGroupsOf(picture);
    }
    // "Testbild" disables both groups, "Helligkeitsverteilung" only the resolution group.
    ChooseFromList(12);
    EXPECT_FALSE(Enabled(panel::kIdColorGroup));
    EXPECT_FALSE(Enabled(panel::kIdResolutionGroup));
    ChooseFromList(9);
    EXPECT_TRUE(Enabled(panel::kIdBlue));
    EXPECT_FALSE(Enabled(panel::kIdLow));
}

TEST_F(PanelDlgTest, KeysOnTheTestWindowChooseInTheHiddenPanel) {
    dlg->OnFullScreen();
    using K = TestWndKey;
    for (auto [key, picture] : {std::pair{K::kEnd, 12},
                                {K::kRight, 0},
                                {K::kDown, 1},
                                {K::kLeft, 0},
                                {K::kPageUp, 12},
                                {K::kUp, 11},
                                {K::kHome, 0}}) {
        wnd.OnKeyDown(key);
        EXPECT_EQ(dlg->PictureList()->GetSelection(), picture);
        EXPECT_EQ(wnd.m_nPicture, picture);
        ExpectGroupsOf(picture);
    }
    EXPECT_FALSE(dlg->IsShown());
    wnd.OnKeyDown(K::kEscape);
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(host.cursorCount, 0);
}

TEST_F(PanelDlgTest, ButtonOfTheShownPictureChangesNothing) {
    dlg->OnPictureButton(panel::kPictureButtonIds[4]);
    wnd.OnRButtonDown();
    const int before = host.invalidations;
    dlg->OnPictureButton(panel::kPictureButtonIds[4]);
    EXPECT_EQ(host.invalidations, before);
    EXPECT_EQ(wnd.m_nVariant, 1u);
}

TEST_F(PanelDlgTest, DisablingAGroupKeepsTheTestWindowsSettings) {
    dlg->OnPictureButton(panel::kPictureButtonIds[1]);
    SetCheck(panel::kIdGreen, true);
    dlg->OnColorCheck(panel::kIdGreen);
    dlg->OnResolution(panel::kIdLow);
    dlg->OnPictureButton(panel::kPictureButtonIds[10]);
    EXPECT_EQ(wnd.m_crColor, 0x00FF00u);
    EXPECT_EQ(wnd.m_nResolution, 0);
}

TEST_F(PanelDlgTest, CheckBoxesGiveTheGunColour) {
    SetCheck(panel::kIdGreen, true);
    EXPECT_TRUE(dlg->OnColorCheck(panel::kIdGreen));
    EXPECT_EQ(wnd.m_crColor, 0x00FF00u);
    SetCheck(panel::kIdGreen, false);
    SetCheck(panel::kIdRed, true);
    SetCheck(panel::kIdBlue, true);
    dlg->OnColorCheck(panel::kIdBlue);
    EXPECT_EQ(wnd.m_crColor, 0xFF00FFu);
    SetCheck(panel::kIdRed, false);
    SetCheck(panel::kIdBlue, false);
    dlg->OnColorCheck(panel::kIdRed);
    EXPECT_EQ(wnd.m_crColor, 0xFFFFFFu);
}

TEST_F(PanelDlgTest, CheckBoxCommandReachesTheHandler) {
    SetCheck(panel::kIdRed, true);
    wxCommandEvent check(wxEVT_CHECKBOX, panel::kIdRed);
    check.SetInt(1);
    Control(panel::kIdRed)->ProcessWindowEvent(check);
    EXPECT_EQ(wnd.m_crColor, 0x0000FFu);
}

TEST_F(PanelDlgTest, RadioButtonsGiveTheLevel) {
    EXPECT_TRUE(dlg->OnResolution(panel::kIdHigh));
    EXPECT_EQ(wnd.m_nResolution, 2);
    EXPECT_TRUE(dlg->OnResolution(panel::kIdLow));
    EXPECT_EQ(wnd.m_nResolution, 0);
    EXPECT_TRUE(dlg->OnResolution(panel::kIdMedium));
    EXPECT_EQ(wnd.m_nResolution, 1);
    EXPECT_FALSE(dlg->OnResolution(panel::kIdRed));
    EXPECT_EQ(wnd.m_nResolution, 1);
}

TEST_F(PanelDlgTest, FullScreenHidesPanelAndCursorAndClickBringsThemBack) {
    wxCommandEvent press(wxEVT_BUTTON, panel::kIdFullScreen);
    Control(panel::kIdFullScreen)->ProcessWindowEvent(press);
    EXPECT_FALSE(dlg->IsShown());
    EXPECT_EQ(host.cursorCount, -1);
    EXPECT_EQ(host.raised, 1);
    wnd.OnLButtonDown();
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(host.cursorCount, 0);
}

TEST_F(PanelDlgTest, ReturnHidesPanelAndCursorSoTheCounterBalances) {
    for (int round = 0; round < 3; ++round) {
        PressKey(dlg, wxEVT_CHAR_HOOK, WXK_RETURN);
        EXPECT_FALSE(dlg->IsShown());
        EXPECT_EQ(host.cursorCount, -1);
        wnd.OnLButtonDown();
        EXPECT_TRUE(dlg->IsShown());
        EXPECT_EQ(host.cursorCount, 0);
    }
}

TEST_F(PanelDlgTest, OtherKeysPassThrough) {
    PressKey(dlg, wxEVT_CHAR_HOOK, 'A');
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(host.cursorCount, 0);
}

TEST_F(PanelDlgTest, SpacePressesAPictureButton) {
    CPictureButton* button = dlg->PictureButton(7);
    EXPECT_EQ(button->ShownState(), 0);
    PressKey(button, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_EQ(button->ShownState(), 1);
    EXPECT_EQ(wnd.m_nPicture, 0);
    PressKey(button, wxEVT_KEY_UP, WXK_SPACE);
    EXPECT_NE(button->ShownState(), 1);
    EXPECT_EQ(wnd.m_nPicture, 7);
    EXPECT_EQ(dlg->PictureList()->GetSelection(), 7);
}

TEST(PanelDlgStart, SelectsThePictureTheTestWindowStartsWith) {
    RecordingHost host;
    CTestWnd wnd(host, 1024, 768, 24);
    wnd.SetPicture(12);
    const int invalidations = host.invalidations;
    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "owner");
    CPanelDlg* dlg = new CPanelDlg(owner, wnd, host, DialogColors{});
    EXPECT_EQ(dlg->PictureList()->GetSelection(), 12);
    EXPECT_EQ(wnd.m_nPicture, 12);
    EXPECT_FALSE(dlg->FindWindow(panel::kIdMedium)->IsEnabled());
    EXPECT_EQ(host.invalidations, invalidations);
    owner->Destroy();
    wxTheApp->ProcessIdle();
}

TEST_F(PanelDlgTest, EscapeDestroysThePanelAndItsRegistration) {
    PressKey(dlg, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_TRUE(wxPendingDelete.Member(dlg));
    wxTheApp->ProcessIdle();
    EXPECT_EQ(wnd.m_pPanel, nullptr);
    // A left click without a panel does nothing.
    wnd.OnLButtonDown();
    EXPECT_EQ(host.cursorCount, 0);
}

TEST_F(PanelDlgTest, CloseBoxDestroysThePanel) {
    dlg->Close();
    EXPECT_TRUE(wxPendingDelete.Member(dlg));
    wxTheApp->ProcessIdle();
    EXPECT_EQ(wnd.m_pPanel, nullptr);
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
