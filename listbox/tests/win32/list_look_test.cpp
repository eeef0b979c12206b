// How the list looks in a shown window, and settings that change the window after it exists.
#include "buttonedit/tests/win32/edit_window.h"
#include "listbox/filter_list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct DragWindow : LookWindow {
    TFilterListBox* target = shown.form->Make<TFilterListBox>();
    std::vector<std::string> seen;

    void SetUp() override {
        LookWindow::SetUp();
        list->SetBounds(0, 0, 150, 120);
        target->SetParent(shown.panel);
        target->SetBounds(160, 0, 150, 120);
        target->Loaded();
        list->SetDragMode(TDragMode::dmAutomatic);
        target->OnDragOver = [this](Component* sender, Component* source, int, int,
                                    TDragState state, bool& accept) {
            EXPECT_EQ(sender, target);
            EXPECT_EQ(source, list);
            EXPECT_TRUE(accept);
            seen.push_back(state == TDragState::dsDragEnter  ? "enter"
                           : state == TDragState::dsDragMove ? "move"
                                                             : "leave");
        };
        target->OnDragDrop = [this](Component* sender, Component* source, int x, int) {
            EXPECT_EQ(sender, target);
            EXPECT_EQ(source, list);
            seen.push_back("drop@" + std::to_string(x / 10));
        };
    }
    // A point of the target's inner list in the source's inner list's coordinates.
    LPARAM OverTarget(int x, int y) {
        POINT at{x, y};
        ::MapWindowPoints(target->ListBox().Handle(), Inner(), &at, 1);
        return MAKELPARAM(at.x, at.y);
    }
    void Press() { ::SendMessageW(Inner(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5)); }
    void MoveTo(LPARAM at) { ::SendMessageW(Inner(), WM_MOUSEMOVE, MK_LBUTTON, at); }
};

TEST_F(DragWindow, ARowDraggedOntoAnotherListIsDroppedThere) {
    Press();
    MoveTo(MAKELPARAM(21, 6)); // not far enough yet
    MoveTo(MAKELPARAM(60, 30));
    MoveTo(OverTarget(40, 10));
    MoveTo(OverTarget(45, 12));
    ::SendMessageW(Inner(), WM_LBUTTONUP, 0, OverTarget(45, 12));
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "move", "drop@4"}));
    EXPECT_NE(::GetCapture(), Inner());
    EXPECT_EQ(list->ItemIndex(), 0); // the press still chose the row
}

TEST_F(DragWindow, EscapeOrAListWithoutHandlerDropsNothing) {
    Press();
    MoveTo(MAKELPARAM(60, 30));
    MoveTo(OverTarget(40, 10));
    ::SendMessageW(Inner(), WM_KEYDOWN, VK_ESCAPE, 1);
    ::SendMessageW(Inner(), WM_LBUTTONUP, 0, OverTarget(40, 10));
    EXPECT_EQ(seen, (std::vector<std::string>{"enter"}));

    seen.clear();
    target->OnDragOver = nullptr;
    Press();
    MoveTo(MAKELPARAM(60, 30));
    MoveTo(OverTarget(40, 10));
    ::SendMessageW(Inner(), WM_LBUTTONUP, 0, OverTarget(40, 10));
    EXPECT_TRUE(seen.empty());

    // A manual list starts no drag from a press, but from code.
    target->OnDragOver = [this](Component*, Component*, int, int, TDragState, bool&) {
        seen.push_back("over");
    };
    list->SetDragMode(TDragMode::dmManual);
    Press();
    MoveTo(MAKELPARAM(60, 30));
    MoveTo(OverTarget(40, 10));
    ::SendMessageW(Inner(), WM_LBUTTONUP, 0, OverTarget(40, 10));
    EXPECT_TRUE(seen.empty());
    list->ListBox().BeginDrag(true);
    MoveTo(OverTarget(40, 10));
    ::SendMessageW(Inner(), WM_LBUTTONUP, 0, OverTarget(40, 10));
    EXPECT_EQ(seen, (std::vector<std::string>{"over", "drop@4"}));
}

} // namespace
} // namespace zel
