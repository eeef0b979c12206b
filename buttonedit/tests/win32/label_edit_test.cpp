// The edit field's caption label in real windows: where it goes, what it follows, its clicks
// and its accelerator.
#include "buttonedit/tests/win32/edit_fixture.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace zel::edit_testing;
using enum TLabelPosition;

struct LabelledEdit : EditWindow {
    void SetUp() override {
        EditWindow::SetUp();
        edit->SetBounds(100, 40, 120, 21);
        edit->SetLabelCaption(u"&Name");
    }
    TEditLabel& Caption() { return *edit->EditLabel(); }
    HWND LabelWindow() { return Caption().Handle(); }
    // The label's rectangle in the panel, as the window system has it.
    RECT LabelRect() {
        RECT r{};
        ::GetWindowRect(LabelWindow(), &r);
        ::MapWindowPoints(nullptr, shown.panel->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(LabelledEdit, TheFirstCaptionMakesALabelBesideTheField) {
    ASSERT_NE(edit->EditLabel(), nullptr);
    EXPECT_EQ(Caption().Parent(), shown.panel);
    EXPECT_EQ(Caption().FocusControl(), edit);
    const SIZE text = Caption().TextExtent();
    EXPECT_GT(text.cx, 10);
    EXPECT_EQ(Caption().Width(), text.cx);
    RECT r = LabelRect();
    EXPECT_EQ(r.left, 100 - text.cx - 4); // left of the field, margin 4, level with its top
    EXPECT_EQ(r.top, 40);
    edit->SetLabelPosition(lpTopLeft);
    r = LabelRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.bottom, 40 - 4);
    edit->SetLabelMargin(10);
    edit->SetLabelPosition(lpRightCenter);
    r = LabelRect();
    EXPECT_EQ(r.left, 220 + 10);
    // The label follows the field when it moves.
    edit->SetBounds(60, 70, 120, 21);
    EXPECT_EQ(LabelRect().left, 180 + 10);
    edit->SetLabelCaption(u"A longer caption");
    EXPECT_EQ(Caption().Width(), Caption().TextExtent().cx);
}

TEST_F(LabelledEdit, TheLabelFollowsEnablingVisibilityAndFocus) {
    edit->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(LabelWindow()));
    edit->SetEnabled(true);
    EXPECT_TRUE(::IsWindowEnabled(LabelWindow()));
    edit->SetLabelAlwaysEnabled(true);
    edit->SetEnabled(false);
    EXPECT_TRUE(::IsWindowEnabled(LabelWindow()));
    edit->SetEnabled(true);
    edit->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(LabelWindow()));
    edit->SetVisible(true);
    EXPECT_TRUE(::IsWindowVisible(LabelWindow()));

    edit->SetFocusLabel(true);
    const int plainWidth = Caption().Width();
    Focus();
    EXPECT_TRUE(Caption().GetFont().Attributes().Face.Bold);
    EXPECT_GE(Caption().Width(), plainWidth);
    Unfocus();
    EXPECT_FALSE(Caption().GetFont().Attributes().Face.Bold);
}

TEST_F(LabelledEdit, FontsTransparencyAndClicks) {
    const int height = Caption().Height();
    FontAttributes large = edit->LabelFont();
    large.Face.Height = 24;
    edit->SetLabelFont(large);
    EXPECT_GT(Caption().Height(), height);
    edit->SetLabelPosition(lpLeftBottom);
    EXPECT_EQ(LabelRect().bottom, 61); // level with the field's bottom
    edit->SetLabelTransparent(true);
    EXPECT_TRUE(::GetWindowLongPtrW(LabelWindow(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    std::vector<Component*> clicks, doubleClicks;
    edit->OnLabelClick = [&](Component* sender) { clicks.push_back(sender); };
    edit->OnLabelDblClick = [&](Component* sender) { doubleClicks.push_back(sender); };
    ::SendMessageW(LabelWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(LabelWindow(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ::SendMessageW(LabelWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, std::vector<Component*>{edit});
    EXPECT_EQ(doubleClicks, std::vector<Component*>{edit});
}

TEST_F(LabelledEdit, TheAcceleratorFocusesTheField) {
    Unfocus();
    ::SendMessageW(shown.form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, u'n');
    EXPECT_EQ(::GetFocus(), Window());
}

TEST_F(LabelledEdit, AnAlignedFieldLeavesRoomForItsLabel) {
    const int caption = Caption().TextExtent().cx;
    edit->SetAlign(TAlign::alTop);
    EXPECT_EQ(edit->Left(), caption + 4);
    EXPECT_EQ(edit->BoundsRect().Right, shown.panel->ClientWidth());
    EXPECT_EQ(LabelRect().left, 0);
    edit->SetLabelPosition(lpRightTop);
    shown.panel->Realign();
    EXPECT_EQ(edit->Left(), 0);
    EXPECT_EQ(edit->BoundsRect().Right, shown.panel->ClientWidth() - Caption().Width() - 4);
}

TEST_F(LabelledEdit, TheLoadedStepPlacesTheLabelAndScalesTheLookupFont) {
    edit->SetLabelPosition(lpBottomLeft);
    Caption().SetBounds(0, 0, Caption().Width(), Caption().Height());
    const int lookupHeight = edit->Lookup().Font.Face.Height;
    edit->Loaded();
    EXPECT_EQ(LabelRect().top, 61 + 4);
    EXPECT_EQ(LabelRect().left, 100);
    WindowDC screen(nullptr);
    EXPECT_EQ(edit->Lookup().Font.Face.Height,
              ::MulDiv(lookupHeight, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 96));
}

} // namespace
} // namespace zel
