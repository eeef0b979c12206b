// The list box in a real window under the platform: rows, selection, keys and clicks are
// driven by the messages the platform list receives from a user.
#include "listbox/filter_list_box.h"
#include "ui/application.h"
#include "ui/form.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zel {
namespace {

class CountingListBox : public TFilterListBox {
public:
    using TFilterListBox::TFilterListBox;
    int syncs = 0;

protected:
    void ItemsChanged() override {
        ++syncs;
        TFilterListBox::ItemsChanged();
    }
};

struct ListBoxWindow : ::testing::Test {
    static void SetUpTestSuite() { Application::Instance().Initialize(); }

    std::unique_ptr<Form> form =
        std::make_unique<Form>(nullptr, u"ZelListBoxTest", 300, 400, false);
    BitmapImageList* images = form->Make<BitmapImageList>();
    CountingListBox* list = form->Make<CountingListBox>();
    int clicks = 0;

    void SetUp() override {
        images->LoadBitmapResource(L"IMAGELIST1", 16, 16);
        list->SetParent(form.get());
        list->SetBounds(0, 0, 300, 400);
        list->OnListClick = [this](Component* sender) {
            EXPECT_EQ(sender, list);
            ++clicks;
        };
    }
    void AddItems(int count) {
        WithinUpdate(list->Items(), [&] {
            for (int i = 0; i < count; ++i)
                list->Items().Add()->SetText(u"item " + std::u16string(1, char16_t(u'0' + i % 10)));
        });
    }
    HWND Inner() { return list->ListBox().Handle(); }
    int Rows() { return static_cast<int>(::SendMessageW(Inner(), LB_GETCOUNT, 0, 0)); }
    int RowHeight(int row) {
        return static_cast<int>(::SendMessageW(Inner(), LB_GETITEMHEIGHT, row, 0));
    }
    RECT RowRect(int row) {
        RECT r{};
        ::SendMessageW(Inner(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void Click(UINT down, UINT up, int x, int y, int upX, int upY) {
        ::SendMessageW(Inner(), down, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(Inner(), up, 0, MAKELPARAM(upX, upY));
    }
};

TEST_F(ListBoxWindow, ImagesTheTenOfTheResource) {
    EXPECT_EQ(images->Count(), 10);
    EXPECT_EQ(TFilterListBox::Version(), u"1.1.5.1");
}

TEST_F(ListBoxWindow, RowHeightsFollowItemHeightAndImages) {
    AddItems(3);
    EXPECT_EQ(RowHeight(0), 15);
    list->SetImages(images);
    EXPECT_EQ(RowHeight(2), 20);
    list->SetItemHeight(24);
    EXPECT_EQ(RowHeight(0), 24);
    list->SetItemHeight(16);
    EXPECT_EQ(RowHeight(1), 20);
    list->SetImages(nullptr);
    EXPECT_EQ(RowHeight(1), 16);
}

TEST_F(ListBoxWindow, OneUpdateBracketSynchronisesTheRowsOnce) {
    AddItems(100);
    EXPECT_EQ(list->syncs, 1);
    EXPECT_EQ(Rows(), 100);
    EXPECT_EQ(list->ItemCount(), 100);
    list->Items().Delete(0);
    EXPECT_EQ(Rows(), 99);
    list->Items().Clear();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(list->syncs, 3);
}

TEST_F(ListBoxWindow, RowsGoFromTheFrontAndTheSelectionMovesWithThem) {
    AddItems(10);
    list->SetItemIndex(7);
    WithinUpdate(list->Items(), [&] {
        for (int i = 0; i < 3; ++i)
            list->Items().Delete(0);
    });
    EXPECT_EQ(Rows(), 7);
    EXPECT_EQ(list->ItemIndex(), 4);
    list->SetItemIndex(1);
    WithinUpdate(list->Items(), [&] {
        list->Items().Delete(0);
        list->Items().Delete(0);
    });
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ListBoxWindow, EachKeyboardMoveIsOneListClick) {
    AddItems(10);
    list->SetItemIndex(0);
    EXPECT_EQ(clicks, 0); // selecting by code raises nothing
    for (int move = 1; move <= 3; ++move) {
        ::SendMessageW(Inner(), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(clicks, move);
        EXPECT_EQ(list->ItemIndex(), move);
    }
}

TEST_F(ListBoxWindow, AMouseSelectionIsOneListClick) {
    AddItems(10);
    RECT row = RowRect(2);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 40, row.top + 2, 40, row.top + 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(ListBoxWindow, DoubleClicksMouseAndKeysAreRaisedWithTheListBoxAsSender) {
    AddItems(5);
    std::vector<std::string> seen;
    auto from = [&](Component* sender, const char* what) {
        EXPECT_EQ(sender, list);
        seen.push_back(what);
    };
    list->OnListDblClick = [&](Component* sender) { from(sender, "dblclick"); };
    list->OnListMouseDown = [&](Component* sender, TMouseButton button, TShiftState, int x, int) {
        EXPECT_EQ(button, TMouseButton::mbLeft);
        EXPECT_EQ(x, 40);
        from(sender, "down");
    };
    list->OnListMouseUp = [&](Component* sender, TMouseButton, TShiftState, int, int) {
        from(sender, "up");
    };
    list->OnListKeyDown = [&](Component* sender, WORD& key, TShiftState) {
        EXPECT_EQ(key, VK_END);
        from(sender, "key");
    };
    RECT row = RowRect(1);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 40, row.top + 2, 40, row.top + 2);
    Click(WM_LBUTTONDBLCLK, WM_LBUTTONUP, 40, row.top + 2, 40, row.top + 2);
    ::SendMessageW(Inner(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "up", "dblclick", "down", "up", "key"}));
    EXPECT_EQ(clicks, 2); // the first click, and the move to the end
    EXPECT_EQ(list->ItemIndex(), 4);
}

TEST_F(ListBoxWindow, SpaceIsSwallowedAndLettersSelectNothing) {
    AddItems(5);
    std::u16string pressed;
    list->OnListKeyPress = [&](Component* sender, char16_t& key) {
        EXPECT_EQ(sender, list);
        pressed += key;
    };
    ::SendMessageW(Inner(), WM_CHAR, u' ', 0);
    ::SendMessageW(Inner(), WM_CHAR, u'i', 0);
    ::SendMessageW(Inner(), WM_CHAR, u't', 0);
    EXPECT_EQ(pressed, u"it");
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ListBoxWindow, ItemIndexUnderAFilterNamesThePositionInAllItems) {
    AddItems(7);
    list->Items()[2]->SetText(u"x2");
    list->Items()[5]->SetText(u"x5");
    list->SearchOptions().SetFilterMethod(TFilterMethod::fmContains);
    list->SetFilterCondition(u"X");
    list->SetFilterActive(true);
    EXPECT_EQ(list->FilterIndexes().Count(), 2);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list->ItemIndex(), 5);
    EXPECT_EQ(list->Items()[list->ItemIndex()], list->GetItem(1));

    // The items shrink under the old filter result: its row past the items shows no item.
    WithinUpdate(list->Items(), [&] {
        list->Items().Delete(6);
        list->Items().Delete(5);
    });
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(list->GetItem(1), nullptr);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListBoxWindow, CheckBoxesToggleOnPressAndReleaseOnTheSameRow) {
    AddItems(6);
    list->SetStyle(TFilterListBoxStyle::stCheckList);
    std::vector<int> toggled;
    list->OnListCheckBoxClick = [&](Component* sender, int index) {
        EXPECT_EQ(sender, list);
        toggled.push_back(index);
    };
    RECT row3 = RowRect(3);
    RECT row4 = RowRect(4);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 10, row3.top + 2, 12, row3.top + 3);
    EXPECT_EQ(toggled, std::vector<int>{3});
    EXPECT_TRUE(list->Items()[3]->Checked());
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 10, row3.top + 2, 10, row4.top + 2);
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, 17, row3.top + 2, 17, row3.top + 2);
    EXPECT_EQ(toggled, std::vector<int>{3});
    EXPECT_TRUE(list->Items()[3]->Checked());
    EXPECT_FALSE(list->Items()[4]->Checked());
}

TEST_F(ListBoxWindow, HintsAndHitTestsMapRowsToItems) {
    AddItems(3);
    list->SetHint(u"list");
    list->OnItemHint = [&](Component*, TListBoxItem* item, int index, std::u16string& hint) {
        hint += u":" + item->Text() + u"@" + std::u16string(1, char16_t(u'0' + index));
    };
    RECT row1 = RowRect(1);
    EXPECT_EQ(list->ListBox().HintAt(30, row1.top + 1), u"list:item 1@1");
    EXPECT_EQ(list->ListBox().HintAt(30, 390), u"list");
    EXPECT_EQ(list->GetItemAtXY(30, row1.top + 1), list->Items()[1]);
    EXPECT_EQ(list->GetItemAtXY(30, 390), nullptr);
}

// The check box square of a check-list row, painted into a bitmap.
std::vector<COLORREF> CheckBoxPixels(bool checked, HWND window) {
    UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectGuard selected(dc.get(), bitmap.get());
    TListBoxItem item;
    item.SetText(u"x");
    item.SetChecked(checked);
    RowStyle style;
    style.CheckList = true;
    GdiRowPainter painter;
    painter.Paint(dc.get(), {0, 0, 100, 20}, false, &item, style, window, PlatformSupportsThemes());
    std::vector<COLORREF> square;
    for (int y = 0; y < 16; ++y)
        for (int x = 2; x < 18; ++x)
            square.push_back(::GetPixel(dc.get(), x, y));
    return square;
}

TEST_F(ListBoxWindow, CheckBoxesAreDrawnCheckedAndUnchecked) {
    std::vector<COLORREF> unchecked = CheckBoxPixels(false, Inner());
    std::vector<COLORREF> checked = CheckBoxPixels(true, Inner());
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_NE(std::count(unchecked.begin(), unchecked.end(), window),
              static_cast<std::ptrdiff_t>(unchecked.size()));
    EXPECT_NE(unchecked, checked);
}

} // namespace
} // namespace zel
