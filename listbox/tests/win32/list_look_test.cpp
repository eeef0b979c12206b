// How the list looks in a shown window, and settings that change the window after it exists.
#include "buttonedit/tests/win32/edit_window.h"
#include "listbox/filter_list_box.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace zel::edit_testing;

struct LookWindow : ::testing::Test {
    ShownForm shown;
    TFilterListBox* list = shown.form->Make<TFilterListBox>();

    void SetUp() override {
        list->SetParent(shown.panel);
        list->SetBounds(0, 0, 300, 120);
        list->Loaded();
        list->SearchOptions().SetVisible(false);
        WithinUpdate(list->Items(), [&] {
            for (const char16_t* text : {u"WWWW first", u"MMMM second", u"HHHH third"})
                list->Items().Add()->SetText(text);
        });
    }
    HWND Inner() { return list->ListBox().Handle(); }
    RECT RowRect(int row) {
        RECT r{};
        ::SendMessageW(Inner(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Dark pixels of a row: its text.
    int Ink(int row) {
        ScreenPixels pixels(Inner());
        RECT r = RowRect(row);
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = pixels.At(x, y);
                ink += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
            }
        return ink;
    }
};

TEST_F(LookWindow, TheListColourFillsTheRowsAndTheEmptyAreaBelow) {
    list->SetListColor(RGB(255, 0, 0));
    RECT client{};
    ::GetClientRect(Inner(), &client);
    ScreenPixels pixels(Inner());
    EXPECT_EQ(pixels.At(client.right - 3, RowRect(0).top + 1), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(client.right / 2, client.bottom - 3), RGB(255, 0, 0));
}

TEST_F(LookWindow, RowsShowTheirTextWithAndWithoutTheBuffer) {
    EXPECT_TRUE(list->DoubleBuffered());
    const int buffered = Ink(1);
    EXPECT_GT(buffered, 20);
    list->SetDoubleBuffered(false);
    EXPECT_EQ(Ink(1), buffered);
}

TEST_F(LookWindow, BorderAndMultiSelectChangeAnExistingWindow) {
    ::SetFocus(Inner());
    list->SetItemIndex(2);
    EXPECT_TRUE(::GetWindowLongPtrW(Inner(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    list->SetBorderSingle(false);
    EXPECT_FALSE(::GetWindowLongPtrW(Inner(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    list->SetMultiSelect(true);
    EXPECT_TRUE(::GetWindowLongPtrW(Inner(), GWL_STYLE) & LBS_EXTENDEDSEL);
    EXPECT_FALSE(::GetWindowLongPtrW(Inner(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(::SendMessageW(Inner(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(::GetFocus(), Inner());
    EXPECT_GT(Ink(0), 20);
    list->SetSelected(0, true);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_TRUE(list->Selected(2));
}

} // namespace
} // namespace zel
