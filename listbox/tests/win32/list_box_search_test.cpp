// The list box's search and insert fields in a real window: typing filters, the find button's
// states, Escape, the shortcuts, the three search styles and inserting typed texts.
#include "buttonedit/tests/win32/edit_window.h"
#include "listbox/filter_list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

using namespace zel::edit_testing;

struct SearchWindow : ::testing::Test {
    ShownForm shown;
    TFilterListBox* list = shown.form->Make<TFilterListBox>();
    int clicks = 0;

    void SetUp() override {
        list->SetParent(shown.panel);
        list->SetBounds(0, 0, 300, 120);
        TSearchOptions& options = list->SearchOptions();
        options.SetFilterMethod(TFilterMethod::fmContains);
        options.SetAutoFind(true);
        list->Loaded();
        list->OnListClick = [this](Component*) { ++clicks; };
        WithinUpdate(list->Items(), [&] {
            for (const char16_t* text : {u"apple", u"banana", u"avocado", u"cherry", u"Grape"})
                list->Items().Add()->SetText(text);
        });
    }
    HWND SearchWindowHandle() { return list->SearchEdit().Edit().Handle(); }
    int Rows() {
        return static_cast<int>(::SendMessageW(list->ListBox().Handle(), LB_GETCOUNT, 0, 0));
    }
    std::vector<std::u16string> Shown() {
        std::vector<std::u16string> texts;
        for (int row = 0; row < list->ItemCount(); ++row)
            texts.push_back(list->GetItem(row)->Text());
        return texts;
    }
    TPNGSpeedButton& FindButton() {
        return *list->SearchEdit().Buttons().FindButton(TButtonStyle::bsFind)->Button();
    }
    static void Click(TPNGSpeedButton& button) {
        ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

using Texts = std::vector<std::u16string>;

TEST_F(SearchWindow, TheFieldsSitAboveTheListWithTheirButtons) {
    EXPECT_TRUE(list->SearchEdit().Visible());
    EXPECT_FALSE(list->InsertEdit().Visible());
    EXPECT_EQ(list->SearchEdit().Top(), 0);
    EXPECT_EQ(list->SearchEdit().Left(), 0);
    EXPECT_EQ(list->SearchEdit().Width(), 300 - 3);
    EXPECT_EQ(list->ListBox().Top(), 22 + 2);
    EXPECT_TRUE(FindButton().Flat());
    EXPECT_NE(list->InsertEdit().Buttons().FindButton(TButtonStyle::bsAdd), nullptr);
    // At the bottom the search field lies along the lower edge.
    list->SearchOptions().SetPosition(TInputPosition::ipBottom);
    EXPECT_EQ(list->SearchEdit().Top(), 120 - 2 - 22);
    EXPECT_EQ(list->ListBox().Top(), 0);
}

TEST_F(SearchWindow, TypingFiltersAtOnceAndEscapeBringsEveryRowBack) {
    list->SetItemIndex(1);
    ::SetFocus(SearchWindowHandle());
    Type(SearchWindowHandle(), u"A");
    EXPECT_EQ(Shown(), (Texts{u"apple", u"banana", u"avocado", u"Grape"}));
    EXPECT_EQ(list->ItemIndex(), -1); // every filter pass clears the selection
    EXPECT_TRUE(FindButton().Down());
    Type(SearchWindowHandle(), u"P");
    EXPECT_EQ(Shown(), (Texts{u"apple", u"Grape"}));
    EXPECT_EQ(Rows(), 2);
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 4); // row 1 shows Grape, item 4 of the whole collection
    PressKey(SearchWindowHandle(), VK_ESCAPE, 0x1B);
    EXPECT_EQ(list->SearchEdit().Text(), u"");
    EXPECT_FALSE(list->FilterActive());
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SearchWindow, EscapeClearsAlsoATextTheFieldHadWhenItGotTheFocus) {
    list->SearchEdit().SetText(u"an");
    EXPECT_EQ(Shown(), (Texts{u"banana"}));
    ::SetFocus(list->ListBox().Handle());
    ::SetFocus(SearchWindowHandle());
    PressKey(SearchWindowHandle(), VK_ESCAPE, 0x1B);
    Pump();
    EXPECT_EQ(list->SearchEdit().Text(), u"");
    EXPECT_EQ(Rows(), 5);
}

TEST_F(SearchWindow, TypingOverASelectedSearchFiltersByTheNewLetter) {
    ::SetFocus(SearchWindowHandle());
    Type(SearchWindowHandle(), u"cherry");
    ASSERT_EQ(Shown(), (Texts{u"cherry"}));
    list->SearchEdit().Edit().SelectAll();
    Type(SearchWindowHandle(), u"g");
    EXPECT_EQ(Shown(), (Texts{u"Grape"}));
}

TEST_F(SearchWindow, DownGoesFromTheFieldToTheFirstRowAndUpComesBack) {
    ::SetFocus(SearchWindowHandle());
    Type(SearchWindowHandle(), u"an");
    ASSERT_EQ(Shown(), (Texts{u"banana"}));
    PressKey(SearchWindowHandle(), VK_DOWN);
    EXPECT_EQ(::GetFocus(), list->ListBox().Handle());
    EXPECT_EQ(list->ItemIndex(), 1); // banana, chosen as a click chooses it
    EXPECT_EQ(clicks, 1);
    PressKey(list->ListBox().Handle(), VK_UP);
    EXPECT_EQ(::GetFocus(), SearchWindowHandle());
    EXPECT_EQ(list->SearchEdit().Text(), u"an");
    PressKey(SearchWindowHandle(), VK_NEXT);
    EXPECT_EQ(::GetFocus(), list->ListBox().Handle());
    PressKey(list->ListBox().Handle(), VK_ESCAPE, 0x1B);
    EXPECT_EQ(::GetFocus(), SearchWindowHandle());
    EXPECT_EQ(clicks, 2);
    // With no row to go to, Down stays in the field.
    Type(SearchWindowHandle(), u"zz");
    PressKey(SearchWindowHandle(), VK_DOWN);
    EXPECT_EQ(::GetFocus(), SearchWindowHandle());
    EXPECT_EQ(clicks, 2);
}

TEST_F(SearchWindow, TheFindButtonTakesTheFilterAwayAndBack) {
    list->SearchEdit().SetText(u"an");
    ASSERT_TRUE(FindButton().Down());
    std::vector<std::string> raised;
    list->OnSearchClick = [&](Component* sender) {
        EXPECT_EQ(sender, list);
        raised.push_back("click");
    };
    Click(FindButton());
    EXPECT_FALSE(FindButton().Down());
    EXPECT_FALSE(list->FilterActive());
    EXPECT_EQ(Rows(), 5);
    Click(FindButton());
    EXPECT_TRUE(FindButton().Down());
    EXPECT_EQ(Shown(), (Texts{u"banana"}));
    EXPECT_EQ(raised.size(), 2u);
    // With an empty text the button stays up and nothing is filtered.
    list->SearchEdit().SetText(u"");
    Click(FindButton());
    Click(FindButton());
    EXPECT_FALSE(FindButton().Down());
    EXPECT_EQ(Rows(), 5);
}

TEST_F(SearchWindow, CtrlFShowsAndFocusesTheFieldAfterItsCloseButtonHidIt) {
    list->SetSearchShortCut(ShortCutOf('F', ssCtrl));
    list->SearchOptions().SetShowClose(true);
    TEditButton* close = list->SearchEdit().Buttons().FindButton(TButtonStyle::bsClose);
    ASSERT_NE(close, nullptr);
    EXPECT_GT(close->Index(),
              list->SearchEdit().Buttons().FindButton(TButtonStyle::bsFind)->Index());
    int closes = 0, shows = 0;
    list->OnSearchClose = [&](Component*) { ++closes; };
    list->OnSearchShow = [&](Component*) { ++shows; };
    Click(*close->Button());
    EXPECT_FALSE(list->SearchEdit().Visible());
    EXPECT_TRUE(list->SearchOptions().Visible());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(::GetFocus(), list->ListBox().Handle());
    {
        HeldKeys ctrl{VK_CONTROL};
        ::SendMessageW(list->ListBox().Handle(), WM_KEYDOWN, 'F', 1);
    }
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(list->SearchEdit().Visible());
    EXPECT_EQ(::GetFocus(), SearchWindowHandle());
    // Plain F, and any key while no shortcut is set, show nothing.
    ::SendMessageW(list->ListBox().Handle(), WM_KEYDOWN, 'F', 1);
    list->SetSearchShortCut(0);
    ::SendMessageW(list->ListBox().Handle(), WM_KEYDOWN, 0, 1);
    EXPECT_EQ(shows, 1);
    list->SearchOptions().SetShowClose(false);
    EXPECT_EQ(list->SearchEdit().Buttons().FindButton(TButtonStyle::bsClose), nullptr);
    EXPECT_EQ(list->SearchEdit().Buttons().Count(), 1);
}

TEST_F(SearchWindow, GotoJumpsToTheNextMatchAndWrapsRound) {
    list->SearchOptions().SetStyle(TSearchStyle::ssGoto);
    list->SearchOptions().SetFilterMethod(TFilterMethod::fmStartsWith);
    list->SetItemIndex(1); // banana: no match, so the scan starts after it
    list->SearchEdit().SetText(u"a");
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(Rows(), 5);
    list->SetItemIndex(0); // apple matches: from the top, apple again
    list->SearchEdit().SetText(u"");
    list->SearchEdit().SetText(u"a");
    EXPECT_EQ(list->ItemIndex(), 0);
    list->SetItemIndex(3); // cherry: after it only Grape, then round to apple
    list->SearchEdit().SetText(u"av");
    EXPECT_EQ(list->ItemIndex(), 2);
    list->SetItemIndex(3);
    list->SearchEdit().SetText(u"ap");
    EXPECT_EQ(list->ItemIndex(), 0);
    list->SearchOptions().SetCaseSensitive(true);
    list->SetItemIndex(3);
    list->SearchEdit().SetText(u"g");
    EXPECT_EQ(list->ItemIndex(), 3); // no match: the selection stays
    EXPECT_EQ(clicks, 0);
}

TEST_F(SearchWindow, HighlightMarksWithoutFiltering) {
    list->SearchOptions().SetStyle(TSearchStyle::ssHighlight);
    list->SearchEdit().SetText(u"an");
    EXPECT_EQ(list->ListBox().HighlightText(), u"an");
    EXPECT_EQ(Rows(), 5);
    list->SearchOptions().SetStyle(TSearchStyle::ssFilter);
    EXPECT_EQ(list->ListBox().HighlightText(), u"");
}

TEST_F(SearchWindow, ConditionAndActiveStateSetBeforeTheWindowExists) {
    TFilterListBox* early = shown.form->Make<TFilterListBox>();
    early->Items().Add()->SetText(u"one");
    early->Items().Add()->SetText(u"two");
    early->SearchOptions().SetFilterMethod(TFilterMethod::fmEqual);
    early->SetFilterCondition(u"two");
    early->SetFilterActive(true);
    EXPECT_EQ(early->ItemCount(), 1);
    early->SetParent(shown.panel);
    EXPECT_EQ(::SendMessageW(early->ListBox().Handle(), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(early->SearchEdit().Text(), u"two");
}

TEST_F(SearchWindow, TheFieldsTakeTheListBoxsFont) {
    FontAttributes font;
    font.Face.Name = u"Arial";
    font.Face.Height = 17;
    list->SetFont(font);
    EXPECT_EQ(list->SearchEdit().GetFont().Attributes(), font);
    EXPECT_EQ(list->SearchEdit().Edit().GetFont().Attributes(), font);
    EXPECT_EQ(list->InsertEdit().GetFont().Attributes(), font);
}

struct InsertWindow : SearchWindow {
    void SetUp() override {
        SearchWindow::SetUp();
        list->InsertOptions().SetVisible(true);
    }
    HWND InsertWindowHandle() { return list->InsertEdit().Edit().Handle(); }
};

TEST_F(InsertWindow, EnterAppendsTheTextWithAutoInsert) {
    std::vector<std::u16string> inserted;
    list->OnInsertItem = [&](Component* sender, TListBoxItem* item) {
        EXPECT_EQ(sender, list);
        inserted.push_back(item->Text());
    };
    EXPECT_GT(list->InsertEdit().Top(), list->SearchEdit().Top());
    ::SetFocus(InsertWindowHandle());
    Type(InsertWindowHandle(), u"fig");
    PressKey(InsertWindowHandle(), VK_RETURN, u'\r');
    EXPECT_EQ(list->Items().Count(), 5); // AutoInsert is off
    list->InsertOptions().SetAutoInsert(true);
    list->InsertOptions().SetInsertAndClear(true);
    PressKey(InsertWindowHandle(), VK_RETURN, u'\r');
    ASSERT_EQ(list->Items().Count(), 6);
    EXPECT_EQ(list->Items()[5]->Text(), u"fig");
    EXPECT_EQ(list->Items()[5]->ImageIndex(), -1);
    EXPECT_EQ(list->ItemIndex(), 5);
    EXPECT_EQ(list->InsertEdit().Text(), u"");
    EXPECT_EQ(inserted, Texts{u"fig"});
}

TEST_F(InsertWindow, TheAddButtonWithAnEmptyFieldAddsNothing) {
    int clicks = 0;
    list->OnInsertClick = [&](Component*) { ++clicks; };
    TPNGSpeedButton& add = *list->InsertEdit().Buttons().FindButton(TButtonStyle::bsAdd)->Button();
    Click(add);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->Items().Count(), 5);
    list->InsertEdit().SetText(u"kiwi");
    Click(add);
    EXPECT_EQ(list->Items().Count(), 6);
    EXPECT_EQ(list->InsertEdit().Text(), u"kiwi"); // InsertAndClear is off
}

TEST_F(InsertWindow, CloseButtonComesAndGoesOnceAndTheShortCutShowsTheField) {
    list->InsertOptions().SetShowClose(true);
    list->InsertOptions().SetShowClose(true);
    EXPECT_EQ(list->InsertEdit().Buttons().Count(), 2);
    list->InsertOptions().SetShowClose(false);
    EXPECT_EQ(list->InsertEdit().Buttons().Count(), 1);
    list->InsertOptions().SetVisible(false);
    int shows = 0;
    list->OnInsertShow = [&](Component*) { ++shows; };
    ::SendMessageW(list->ListBox().Handle(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_FALSE(list->InsertEdit().Visible()); // no shortcut set
    list->SetInsertShortCut(VK_INSERT);
    ::SendMessageW(list->ListBox().Handle(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(list->InsertEdit().Visible());
    EXPECT_EQ(::GetFocus(), InsertWindowHandle());
}

} // namespace
} // namespace zel
