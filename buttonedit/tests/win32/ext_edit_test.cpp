// The edit field in a real window: keys, clipboard, focus and painting as a user meets them.
#include "buttonedit/ext_edit.h"

#include "buttonedit/tests/win32/edit_fixture.h"
#include "ui/clipboard.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace zel::edit_testing;

constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);

TEST_F(EditWindow, VersionAndDefaults) {
    EXPECT_EQ(TExtEdit::Version(), u"3.3.6.1");
    EXPECT_TRUE(edit->EditorEnabled());
    EXPECT_TRUE(edit->CanUndo());
    EXPECT_TRUE(edit->AutoSelect());
    EXPECT_FALSE(edit->Flat());
    EXPECT_EQ(edit->DisabledColor(), TColor(0xC0C0C0));
    EXPECT_EQ(edit->EditType(), TExtEditType::etString);
    // One line in a multi-line window, so that its formatting rectangle applies.
    EXPECT_TRUE(::GetWindowLongPtrW(Window(), GWL_STYLE) & ES_MULTILINE);
}

TEST_F(EditWindow, TypingOverAWholeSelectionRaisesExactlyOneChange) {
    edit->SetText(u"hello");
    changes = 0;
    Focus(); // selects the whole text
    EXPECT_EQ(edit->Selection(), (TextRange{0, 5}));
    Type(Window(), u"x");
    EXPECT_EQ(edit->Text(), u"x");
    EXPECT_EQ(changes, 1);
    Type(Window(), u"y");
    EXPECT_EQ(edit->Text(), u"xy");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditWindow, EscapeRestoresTheTextOfTheFocusGainAndTellsTheParent) {
    edit->SetText(u"before");
    Focus();
    Type(Window(), u"after");
    ASSERT_EQ(edit->Text(), u"after");
    PressKey(Window(), VK_ESCAPE, 0x1B);
    EXPECT_EQ(edit->Text(), u"before");
    EXPECT_EQ(edit->Selection(), (TextRange{0, 6}));
    EXPECT_FALSE(edit->Modified());
    auto& keys = shown.panel->keys;
    ASSERT_TRUE(PumpUntil([&] { return keys.size() >= 2; }));
    EXPECT_EQ(keys[0], std::make_pair(UINT(WM_KEYDOWN), WPARAM(VK_ESCAPE)));
    EXPECT_EQ(keys[1], std::make_pair(UINT(WM_KEYUP), WPARAM(VK_ESCAPE)));
}

TEST_F(EditWindow, ReturnIsOnlyAKeyPressAndCtrlReturnNothing) {
    edit->SetText(u"ab");
    Focus();
    edit->SetSelection({1, 1});
    std::u16string pressed;
    edit->OnKeyPress = [&](Component*, char16_t& key) { pressed += key; };
    changes = 0;
    PressKey(Window(), VK_RETURN, u'\r');
    EXPECT_EQ(pressed, u"\r");
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey(Window(), VK_RETURN, u'\n');
    }
    EXPECT_EQ(pressed, u"\r");
    EXPECT_EQ(edit->Text(), u"ab");
    EXPECT_EQ(changes, 0);
}

TEST_F(EditWindow, UpAndDownAreOnlyKeyDownEvents) {
    edit->SetText(u"abc");
    Focus();
    edit->SetSelection({1, 1});
    std::vector<WORD> down;
    edit->OnKeyDown = [&](Component*, WORD& key, TShiftState) { down.push_back(key); };
    PressKey(Window(), VK_DOWN);
    PressKey(Window(), VK_UP);
    EXPECT_EQ(down, (std::vector<WORD>{VK_DOWN, VK_UP}));
    EXPECT_EQ(edit->Selection(), (TextRange{1, 1}));
}

TEST_F(EditWindow, AKeyDownHandlerCanSwallowTheKey) {
    edit->SetText(u"abc");
    Focus();
    edit->SetSelection({3, 3});
    edit->OnKeyDown = [](Component*, WORD& key, TShiftState) {
        if (key == VK_BACK)
            key = 0;
    };
    ::SendMessageW(Window(), WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
    edit->SetEditorEnabled(false);
    Type(Window(), u"zz");
    EXPECT_EQ(edit->Text(), u"abc");
}

TEST_F(EditWindow, PasteTakesTheClipboardUpToTheFirstCarriageReturn) {
    SetClipboardText(Window(), u"abc\r\ndef");
    edit->SetText(u"[]");
    Focus();
    edit->SetSelection({1, 1});
    std::u16string offered;
    edit->OnClipboardPaste = [&](Component*, const std::u16string& text, bool&) { offered = text; };
    ::SendMessageW(Window(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), u"[abc]");
    EXPECT_EQ(offered, u"[abc]");
    EXPECT_EQ(edit->Selection(), (TextRange{4, 4}));
    EXPECT_TRUE(edit->Modified());

    // A refusal keeps the text; a maximum length cuts what is pasted.
    edit->OnClipboardCanPaste = [](Component*, std::u16string&, bool& allow) { allow = false; };
    ::SendMessageW(Window(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), u"[abc]");
    edit->OnClipboardCanPaste = nullptr;
    edit->SetMaxLength(7);
    ::SendMessageW(Window(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), u"[abcabc");
}

TEST_F(EditWindow, CutAsksFirstAndRaisesTheChangeEvenWhenRefused) {
    edit->SetText(u"keep cut");
    SetClipboardText(Window(), u"old");
    Focus();
    edit->SetSelection({5, 8});
    bool allow = false;
    std::u16string asked;
    edit->OnClipboardCut = [&](Component*, const std::u16string& text, bool& Allow) {
        asked = text;
        Allow = allow;
    };
    int copies = 0;
    edit->OnClipboardCopy = [&](Component*, const std::u16string&, bool&) { ++copies; };
    changes = 0;
    ::SendMessageW(Window(), WM_CUT, 0, 0);
    EXPECT_EQ(asked, u"cut");
    EXPECT_EQ(edit->Text(), u"keep cut");
    EXPECT_EQ(changes, 1);
    allow = true;
    ::SendMessageW(Window(), WM_CUT, 0, 0);
    EXPECT_EQ(edit->Text(), u"keep ");
    std::u16string clipboard;
    ASSERT_TRUE(GetClipboardText(Window(), clipboard));
    EXPECT_EQ(clipboard, u"cut");
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(changes, 3); // the window's change and the cut's own

    edit->SetSelection({0, 4});
    ::SendMessageW(Window(), WM_COPY, 0, 0);
    EXPECT_EQ(copies, 1);
    ASSERT_TRUE(GetClipboardText(Window(), clipboard));
    EXPECT_EQ(clipboard, u"keep");
}

TEST_F(EditWindow, CtrlASelectsTheTextBehindThePrefix) {
    edit->SetPrefix(u"EUR ");
    edit->SetSuffix(u" net");
    edit->SetText(u"12");
    EXPECT_EQ(edit->Text(), u"12");
    Focus();
    edit->SetSelection({0, 0});
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey(Window(), 'A', 0x01);
    }
    EXPECT_EQ(edit->Selection(), (TextRange{4, 6}));
}

TEST_F(EditWindow, TheEmptyTextHintIsGreyAtItsPlaceUntilTheFirstCharacter) {
    edit->SetEmptyText(u"search here");
    Unfocus();
    RECT hint{0, 0, 120, 19};
    {
        ScreenPixels pixels(Window());
        int left = 999, top = 999;
        for (int y = hint.top; y < hint.bottom; ++y)
            for (int x = hint.left; x < hint.right; ++x)
                if (pixels.At(x, y) == kGrey) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        // Drawn from (3, 2) on: the first grey pixels lie just right of and below it.
        EXPECT_GE(left, 3);
        EXPECT_LE(left, 6);
        EXPECT_GE(top, 2);
        EXPECT_LE(top, 8);
    }
    Focus();
    EXPECT_EQ(ScreenPixels(Window()).Count(hint, kGrey), 0); // not while focused
    edit->SetEmptyTextFocused(true);
    EXPECT_GT(ScreenPixels(Window()).Count(hint, kGrey), 10);
    Type(Window(), u"x");
    EXPECT_EQ(ScreenPixels(Window()).Count({20, 0, 120, 19}, kGrey), 0);
}

TEST_F(EditWindow, FocusColoursComeAndGo) {
    edit->SetColor(RGB(255, 255, 255));
    edit->SetFocusColor(RGB(255, 255, 0));
    edit->SetText(u"");
    Focus();
    EXPECT_EQ(edit->Color(), TColor(RGB(255, 255, 0)));
    EXPECT_EQ(ScreenPixels(Window()).At(150, 10), RGB(255, 255, 0));
    Unfocus();
    EXPECT_EQ(edit->Color(), TColor(RGB(255, 255, 255)));
    EXPECT_EQ(ScreenPixels(Window()).At(150, 10), RGB(255, 255, 255));
}

TEST_F(EditWindow, FocusWidenedByTheIncrementAndBackAfter) {
    edit->SetFocusWidthInc(40);
    Focus();
    EXPECT_EQ(edit->Width(), 240);
    Unfocus();
    EXPECT_EQ(edit->Width(), 200);
}

TEST_F(EditWindow, FlatModeDrawsAnUnderlineInsteadOfAFrame) {
    edit->SetFlatLineColor(RGB(255, 0, 0));
    edit->SetFlat(true);
    EXPECT_FALSE(::GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT client{};
    ::GetClientRect(Window(), &client);
    ScreenPixels pixels(Window());
    EXPECT_GT(pixels.Count({0, client.bottom - 1, client.right, client.bottom}, RGB(255, 0, 0)),
              client.right / 2);
    EXPECT_EQ(pixels.Count({0, 0, client.right, client.bottom - 1}, RGB(255, 0, 0)), 0);
    edit->SetFlat(false);
    EXPECT_TRUE(::GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(EditWindow, TheErrorMarkerIsARedZigzagWhileUnfocused) {
    edit->SetText(u"wrong word");
    edit->SetErrorMarkerPos(6);
    edit->SetErrorMarkerLen(4);
    Unfocus();
    const POINT from = edit->PosFromChar(6);
    RECT client{};
    ::GetClientRect(Window(), &client);
    {
        ScreenPixels pixels(Window());
        EXPECT_EQ(pixels.Count({0, 0, from.x - 1, client.bottom}, RGB(255, 0, 0)), 0);
        EXPECT_GT(pixels.Count({from.x, 0, client.right, client.bottom}, RGB(255, 0, 0)), 10);
    }
    Focus();
    EXPECT_EQ(ScreenPixels(Window()).Count(client, RGB(255, 0, 0)), 0);
}

TEST_F(EditWindow, PositionsAndCharactersMapBothWays) {
    edit->SetText(u"abcdef");
    const POINT third = edit->PosFromChar(3);
    EXPECT_EQ(edit->CharFromPos({third.x + 1, third.y + 2}), 3);
    const POINT end = edit->PosFromChar(6);
    EXPECT_GT(end.x, edit->PosFromChar(5).x);
    EXPECT_GT(edit->GetTextSize(), 0);
}

TEST_F(EditWindow, DisablingShowsTheDisabledColourAndEnablingTheNormalOne) {
    edit->SetColor(RGB(250, 250, 250));
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Color(), TColor(0xC0C0C0));
    edit->SetEnabled(true);
    EXPECT_EQ(edit->Color(), TColor(RGB(250, 250, 250)));
}

TEST_F(EditWindow, SetEditTextIsWhatEscapeReturnsTo) {
    edit->SetEditText(u"start");
    EXPECT_EQ(edit->OrigText(), u"start");
    EXPECT_EQ(edit->Text(), u"start");
    bool valid = false;
    edit->OnValueValidate = [&](Component*, const std::u16string& value, bool& isValid) {
        valid = value == u"start";
        isValid = false;
    };
    EXPECT_FALSE(edit->ValidateValue(u"start"));
    EXPECT_TRUE(valid);
}

// The hint is asked for by the tooltip; the test asks the same way.
struct HintedEdit : TExtEdit {
    using TExtEdit::HintFor;
    using TExtEdit::TExtEdit;
};

TEST_F(EditWindow, HintsFollowTheParentAndALongTextIsItsOwnHint) {
    auto* hinted = shown.form->Make<HintedEdit>();
    hinted->SetParent(shown.panel);
    hinted->SetBounds(10, 50, 60, 21);
    hinted->SetHint(u"plain");
    EXPECT_FALSE(hinted->HintsShown()); // the form shows none
    shown.panel->SetShowHint(true);
    EXPECT_TRUE(hinted->HintsShown());
    hinted->SetShowHint(false);
    EXPECT_FALSE(hinted->HintsShown());
    hinted->SetText(u"short");
    hinted->SetHintShowLargeText(true);
    EXPECT_EQ(hinted->HintFor({5, 5}).Text, u"plain");
    hinted->SetText(u"a text far wider than sixty pixels");
    const HintInfo large = hinted->HintFor({5, 5});
    EXPECT_EQ(large.Text, u"a text far wider than sixty pixels");
    ASSERT_TRUE(large.At.has_value());
    EXPECT_EQ(large.At->x, 0);
    EXPECT_EQ(large.At->y, 0);
}

} // namespace
} // namespace zel
