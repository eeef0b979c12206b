// The lookup list in real windows: it opens below the field without taking the focus, moves
// and accepts by keys and clicks, and keeps a history.
#include "buttonedit/tests/win32/edit_fixture.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace zel::edit_testing;

struct LookupEdit : EditWindow {
    void SetUp() override {
        EditWindow::SetUp();
        edit->Lookup().Enabled = true;
        edit->Lookup().SetDisplayList({u"Apple", u"Apricot", u"Banana"});
        Focus();
    }
    TListBoxTab& List() { return edit->LookupWindow().List(); }
    std::vector<std::u16string> Rows() {
        std::vector<std::u16string> rows;
        for (const TLookupEntry& entry : List().Entries())
            rows.push_back(entry.Text);
        return rows;
    }
    RECT PopupRect() {
        RECT r{};
        ::GetWindowRect(edit->LookupWindow().Handle(), &r);
        return r;
    }
};

TEST_F(LookupEdit, OpensBelowTheWordWithoutTakingTheFocus) {
    Type(Window(), u"a");
    EXPECT_FALSE(edit->LookupVisible()); // fewer characters than NumChars
    Type(Window(), u"p");
    ASSERT_TRUE(edit->LookupVisible());
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Apple", u"Apricot"}));
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_EQ(::GetFocus(), Window());
    EXPECT_EQ(::GetActiveWindow(), shown.form->Handle());
    EXPECT_TRUE(::GetWindowLongPtrW(edit->LookupWindow().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    POINT origin{0, 0};
    ::ClientToScreen(Window(), &origin);
    const RECT popup = PopupRect();
    EXPECT_EQ(popup.top, origin.y + edit->Height() - 4);
    EXPECT_EQ(popup.left, origin.x + edit->PosFromChar(0).x + 8);
    EXPECT_EQ(popup.bottom - popup.top, 2 * List().RowHeight() + 4);
    // "b" alone is shorter than two characters; "bx" matches nothing.
    edit->SelectAll();
    Type(Window(), u"b");
    EXPECT_FALSE(edit->LookupVisible());
    Type(Window(), u"x");
    EXPECT_FALSE(edit->LookupVisible());
}

TEST_F(LookupEdit, ReturnAcceptsTheSelectedRow) {
    std::u16string selected;
    int selectedIndex = -1;
    edit->OnLookupSelect = [&](Component* sender, std::u16string& value) {
        EXPECT_EQ(sender, edit);
        selected = value;
    };
    edit->OnLookupIndexSelect = [&](Component*, int index, std::u16string& value) {
        selectedIndex = index;
        value += u"!";
    };
    Type(Window(), u"ap");
    PressKey(Window(), VK_DOWN);
    PressKey(Window(), VK_DOWN); // stays on the last row
    EXPECT_EQ(List().ItemIndex(), 1);
    PressKey(Window(), VK_RETURN, u'\r');
    EXPECT_FALSE(edit->LookupVisible());
    EXPECT_EQ(selected, u"Apricot");
    EXPECT_EQ(selectedIndex, 1);
    EXPECT_EQ(edit->Text(), u"Apricot!");
    EXPECT_EQ(edit->Selection(), (TextRange{0, 8}));
    EXPECT_EQ(::GetFocus(), Window());
}

TEST_F(LookupEdit, EscapeClosesTheListWithoutUndoing) {
    Type(Window(), u"ap");
    ASSERT_TRUE(edit->LookupVisible());
    PressKey(Window(), VK_ESCAPE, 0x1B);
    EXPECT_FALSE(edit->LookupVisible());
    EXPECT_EQ(edit->Text(), u"ap");
    PressKey(Window(), VK_ESCAPE, 0x1B); // the next Escape undoes as always
    EXPECT_EQ(edit->Text(), u"");
}

TEST_F(LookupEdit, ValuesMultipleEntriesAndAProgramsRows) {
    auto& lookup = edit->Lookup();
    lookup.SetDisplayList({});
    lookup.AddPair(u"Apple", u"red");
    lookup.AddPair(u"Apricot", u"");
    lookup.AddPair(u"Apple", u"green"); // present: neither list grows
    EXPECT_EQ(lookup.ValueList(), (std::vector<std::u16string>{u"red", u""}));
    lookup.ShowValue = true;
    lookup.Multi = true;
    edit->OnLookupNeedData = [](Component*, const std::u16string& word,
                                std::vector<TLookupEntry>& items, int& index) {
        EXPECT_EQ(word, u"ap");
        items.push_back({u"Apex", -1});
        index = 2;
    };
    Type(Window(), u"x;ap");
    ASSERT_TRUE(edit->LookupVisible());
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Apex", u"Apple (red)", u"Apricot"}));
    EXPECT_EQ(List().ItemIndex(), 2);
    PressKey(Window(), VK_HOME);
    PressKey(Window(), VK_RETURN, u'\r');
    EXPECT_EQ(edit->Text(), u"x;Apex;");
    EXPECT_EQ(edit->Selection(), (TextRange{7, 7}));
}

TEST_F(LookupEdit, AClickInTheListAccepts) {
    Type(Window(), u"ap");
    HWND list = List().Handle();
    const int y = List().RowHeight() + 2; // the second row
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    EXPECT_EQ(edit->Text(), u"Apricot");
    EXPECT_FALSE(edit->LookupVisible());
    EXPECT_EQ(::GetFocus(), Window());
}

TEST_F(LookupEdit, TabInTheListAcceptsWhenAskedTo) {
    edit->Lookup().AcceptOnTab = true;
    Type(Window(), u"ap");
    HWND list = List().Handle();
    EXPECT_TRUE(::SendMessageW(list, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
    ::SendMessageW(list, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(edit->Text(), u"Apple");
}

TEST_F(LookupEdit, AltCancelModeAndLeavingCloseTheList) {
    Type(Window(), u"ap");
    ::SendMessageW(Window(), WM_SYSKEYDOWN, VK_MENU, 1);
    EXPECT_FALSE(edit->LookupVisible());
    Type(Window(), u"r");
    ASSERT_TRUE(edit->LookupVisible());
    ::SendMessageW(Window(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(edit->LookupVisible());
    PressKey(Window(), VK_BACK, 0x08);
    ASSERT_TRUE(edit->LookupVisible()); // Backspace looks up again
    Unfocus();
    EXPECT_FALSE(edit->LookupVisible());
}

TEST_F(LookupEdit, LeavingTheFieldAddsItsTextToTheHistory) {
    edit->Lookup().History = true;
    Type(Window(), u"  Cherry ");
    Unfocus();
    EXPECT_EQ(edit->Lookup().DisplayList().back(), u"Cherry");
    const size_t count = edit->Lookup().DisplayList().size();
    Focus();
    Unfocus();
    EXPECT_EQ(edit->Lookup().DisplayList().size(), count); // present already
    Focus();
    edit->SelectAll();
    Type(Window(), u"ch");
    EXPECT_TRUE(edit->LookupVisible());
}

} // namespace
} // namespace zel
