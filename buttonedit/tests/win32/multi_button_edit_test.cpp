// The multi-button edit in a real window: docking, tags, click actions, forwarded events and
// the glyphs as they appear on the screen.
#include "buttonedit/multi_button_edit.h"

#include "buttonedit/tests/win32/edit_window.h"
#include "core/error.h"
#include "ui/clipboard.h"
#include "ui/png_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

using namespace zel::edit_testing;

struct ButtonEditWindow : ::testing::Test {
    ShownForm shown;
    TMultiButtonEdit* field = shown.form->Make<TMultiButtonEdit>();
    std::vector<std::string> events;

    void SetUp() override {
        field->SetParent(shown.panel);
        field->SetBounds(10, 10, 200, 22);
    }
    TEditButton* AddButton(TButtonStyle style,
                           TButtonPosition position = TButtonPosition::bpRight) {
        TEditButton* button = field->Buttons().Add();
        button->SetStyle(style);
        button->SetPosition(position);
        return button;
    }
    // A click on a speed button as the user makes it.
    static void Click(TEditButton* button) {
        HWND window = button->Button()->Handle();
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    void Record(TNotifyEvent& event, const char* name) {
        event = [this, name](Component* sender) {
            EXPECT_EQ(sender, field);
            events.push_back(name);
        };
    }
    // Where the glyph's dark pixels lie inside a button, as shown on the screen.
    static RECT InkBounds(TEditButton* button, int* count = nullptr) {
        HWND window = button->Button()->Handle();
        ScreenPixels pixels(window);
        RECT ink{99, 99, -1, -1};
        int n = 0;
        for (int y = 0; y < button->Button()->Height(); ++y)
            for (int x = 0; x < button->Button()->Width(); ++x) {
                const COLORREF c = pixels.At(x, y);
                if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96) {
                    ++n;
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
                }
            }
        if (count)
            *count = n;
        return ink;
    }
};

TEST_F(ButtonEditWindow, VersionAndConstruction) {
    EXPECT_EQ(TCustomMultiButtonEdit::Version(), u"1.0.0.3");
    EXPECT_TRUE(field->Edit().TabStop());
    EXPECT_EQ(field->Edit().TabOrder(), 0);
    EXPECT_EQ(field->MaxLength(), 0);
    EXPECT_TRUE(field->HideSelection());
    EXPECT_EQ(field->Buttons().FindButton(TButtonStyle::bsFind), nullptr);
}

TEST_F(ButtonEditWindow, TheSearchFieldsFindButtonSitsFlatAtTheRightEdgeWithItsGlyphCentred) {
    TEditButton* find = AddButton(TButtonStyle::bsFind);
    find->SetFlat(true);
    TPNGSpeedButton* button = find->Button();
    EXPECT_EQ(field->Buttons().FindButton(TButtonStyle::bsFind), find);
    EXPECT_EQ(button->PNGName(), u"btn_gl_search");
    EXPECT_EQ(button->Width(), 23);
    EXPECT_EQ(button->Height(), 22);
    EXPECT_EQ(button->Left(), 200 - 23);
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(field->Edit().Left(), 0);
    EXPECT_EQ(field->Edit().Width(), 200 - 23);
    // The 16 x 16 glyph is drawn from (3, 3): its ink stays inside that square.
    const RECT ink = InkBounds(find);
    EXPECT_GE(ink.left, 3);
    EXPECT_GE(ink.top, 3);
    EXPECT_LE(ink.right, 19);
    EXPECT_LE(ink.bottom, 19);
    EXPECT_GT(ink.right - ink.left, 8);
}

TEST_F(ButtonEditWindow, ButtonsDockInCollectionOrderOnBothSides) {
    TEditButton* a = AddButton(TButtonStyle::bsOK);
    TEditButton* b = AddButton(TButtonStyle::bsCopy);
    TEditButton* l1 = AddButton(TButtonStyle::bsPrevious, TButtonPosition::bpLeft);
    TEditButton* l2 = AddButton(TButtonStyle::bsNext, TButtonPosition::bpLeft);
    EXPECT_LT(a->Button()->Left(), b->Button()->Left());
    EXPECT_EQ(b->Button()->Left(), 200 - 23);
    EXPECT_EQ(l1->Button()->Left(), 0);
    EXPECT_EQ(l2->Button()->Left(), 23);
    EXPECT_EQ(field->Edit().Left(), 46);
    EXPECT_EQ(field->Edit().Width(), 200 - 4 * 23);
    for (int i = 0; i < field->Buttons().Count(); ++i)
        EXPECT_EQ(field->Buttons().Items(i)->Button()->Tag(), i);
}

TEST_F(ButtonEditWindow, ClearCloseAndTrashRunTheirStepsInOrder) {
    TEditButton* clear = AddButton(TButtonStyle::bsClear);
    TEditButton* trash = AddButton(TButtonStyle::bsTrash);
    TEditButton* close = AddButton(TButtonStyle::bsClose);
    field->OnChange = [this](Component* sender) {
        EXPECT_EQ(sender, field);
        events.push_back("change:" + std::string(field->Text().empty() ? "empty" : "text"));
    };
    field->OnClickClear = [this](Component*) { events.push_back("clear"); };
    field->OnClickTrash = [this](Component*) {
        events.push_back("trash:" + std::string(field->Text().empty() ? "empty" : "text"));
    };
    field->OnClickClose = [this](Component*) {
        events.push_back(field->Visible() ? "close:shown" : "close:hidden");
    };
    field->SetText(u"one");
    Click(clear);
    field->SetText(u"two");
    Click(trash);
    Click(close);
    EXPECT_EQ(events,
              (std::vector<std::string>{"change:text", "change:empty", "clear", "change:text",
                                        "trash:text", "change:empty", "close:hidden"}));
    EXPECT_FALSE(::IsWindowVisible(field->Handle()));
}

TEST_F(ButtonEditWindow, EveryStyleRaisesItsOwnEvent) {
    struct Row {
        TButtonStyle style;
        TNotifyEvent TCustomMultiButtonEdit::*event;
        const char* name;
    } rows[] = {
        {TButtonStyle::bsFind, &TCustomMultiButtonEdit::OnClickFind, "find"},
        {TButtonStyle::bsOK, &TCustomMultiButtonEdit::OnClickOK, "ok"},
        {TButtonStyle::bsAccept, &TCustomMultiButtonEdit::OnClickAccept, "accept"},
        {TButtonStyle::bsDeny, &TCustomMultiButtonEdit::OnClickDeny, "deny"},
        {TButtonStyle::bsPrevious, &TCustomMultiButtonEdit::OnClickPrevious, "previous"},
        {TButtonStyle::bsNext, &TCustomMultiButtonEdit::OnClickNext, "next"},
        {TButtonStyle::bsUndo, &TCustomMultiButtonEdit::OnClickUndo, "undo"},
        {TButtonStyle::bsAdd, &TCustomMultiButtonEdit::OnClickAdd, "add"},
        {TButtonStyle::bsSub, &TCustomMultiButtonEdit::OnClickSub, "sub"},
    };
    std::vector<std::string> expected;
    for (const Row& row : rows) {
        Record(field->*row.event, row.name);
        Click(AddButton(row.style));
        expected.push_back(row.name);
    }
    TEditButton* custom = AddButton(TButtonStyle::bsCustom);
    field->OnClickCustom = [this](Component* sender, int index) {
        EXPECT_EQ(sender, field);
        events.push_back("custom" + std::to_string(index));
    };
    Click(custom);
    expected.push_back("custom" + std::to_string(custom->Index()));
    EXPECT_EQ(events, expected);
    EXPECT_EQ(custom->Button()->PNGName(), u"");
}

TEST_F(ButtonEditWindow, CopyPutsTheTextOnTheClipboardAfterItsEvent) {
    TEditButton* copy = AddButton(TButtonStyle::bsCopy);
    SetClipboardText(field->Handle(), u"before");
    field->OnClickCopy = [this](Component*) {
        std::u16string now;
        GetClipboardText(field->Handle(), now);
        events.push_back(now == u"before" ? "copy:before" : "copy:after");
    };
    field->SetText(u"ありがとう");
    Click(copy);
    std::u16string clipboard;
    ASSERT_TRUE(GetClipboardText(field->Handle(), clipboard));
    EXPECT_EQ(clipboard, u"ありがとう");
    EXPECT_EQ(events, std::vector<std::string>{"copy:before"});
}

TEST_F(ButtonEditWindow, AnUnchangedStyleArrangesNothing) {
    TEditButton* find = AddButton(TButtonStyle::bsFind);
    find->Button()->SetTag(42); // arranging would set it back to the index
    find->SetStyle(TButtonStyle::bsFind);
    find->SetFlat(false);
    find->SetHint(u"");
    EXPECT_EQ(find->Button()->Tag(), 42);
    find->SetStyle(TButtonStyle::bsOK);
    EXPECT_EQ(find->Button()->Tag(), 0);
    EXPECT_EQ(find->Button()->PNGName(), u"btn_gl_ok");
}

TEST_F(ButtonEditWindow, DeletingTheFirstOfThreeRetagsTheOthers) {
    AddButton(TButtonStyle::bsOK);
    TEditButton* undo = AddButton(TButtonStyle::bsUndo);
    TEditButton* next = AddButton(TButtonStyle::bsNext);
    Record(field->OnClickOK, "ok");
    Record(field->OnClickUndo, "undo");
    Record(field->OnClickNext, "next");
    field->Buttons().Delete(0);
    EXPECT_EQ(undo->Button()->Tag(), 0);
    EXPECT_EQ(next->Button()->Tag(), 1);
    Click(next);
    Click(undo);
    EXPECT_EQ(events, (std::vector<std::string>{"next", "undo"}));
}

TEST_F(ButtonEditWindow, InsertAndAssignKeepTagsEqualToIndexes) {
    TEditButton* last = AddButton(TButtonStyle::bsOK);
    TEditButton* first = field->Buttons().Insert(0);
    EXPECT_EQ(first->Button()->Tag(), 0);
    EXPECT_EQ(last->Button()->Tag(), 1);
    last->SetHint(u"done");
    last->SetPosition(TButtonPosition::bpLeft);
    field->Buttons().SetItems(0, *last);
    EXPECT_EQ(first->Style(), TButtonStyle::bsOK);
    EXPECT_EQ(first->Hint(), u"done");
    EXPECT_EQ(first->Position(), TButtonPosition::bpLeft);
    EXPECT_TRUE(first->Button()->ShowHint());
    EXPECT_THROW(field->Buttons().Items(2), Exception);
}

TEST_F(ButtonEditWindow, DisablingReachesTheEditAndEveryButtonButKeepsTheGlyphs) {
    TEditButton* find = AddButton(TButtonStyle::bsFind);
    TEditButton* copy = AddButton(TButtonStyle::bsCopy);
    int enabledInk = 0, disabledInk = 0;
    const RECT before = InkBounds(find, &enabledInk);
    field->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(field->Edit().Handle()));
    EXPECT_FALSE(::IsWindowEnabled(find->Button()->Handle()));
    EXPECT_FALSE(::IsWindowEnabled(copy->Button()->Handle()));
    const RECT after = InkBounds(find, &disabledInk);
    EXPECT_EQ(disabledInk, enabledInk);
    EXPECT_TRUE(::EqualRect(&before, &after));
    Record(field->OnClickFind, "find");
    Click(find);
    EXPECT_TRUE(events.empty());
}

TEST_F(ButtonEditWindow, EditEventsAreForwardedWithTheCompositeAsSenderAndKeysByReference) {
    Record(field->OnEnter, "enter");
    Record(field->OnExit, "exit");
    field->OnKeyPress = [this](Component* sender, char16_t& key) {
        EXPECT_EQ(sender, field);
        if (key == u'x')
            key = 0;
    };
    field->OnKeyDown = [this](Component* sender, WORD& key, TShiftState) {
        EXPECT_EQ(sender, field);
        events.push_back("down");
        if (key == VK_DELETE)
            key = 0;
    };
    ::SetFocus(field->Handle()); // the composite passes the focus on
    EXPECT_EQ(::GetFocus(), field->Edit().Handle());
    HWND edit = field->Edit().Handle();
    Type(edit, u"axb");
    field->Edit().SetSelection({0, 0});
    PressKey(edit, VK_DELETE);
    EXPECT_EQ(field->Text(), u"ab");
    ::SetFocus(shown.panel->Handle());
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "down", "down", "down", "exit"}));
}

TEST_F(ButtonEditWindow, ForwardedSettingsReachTheEdit) {
    field->SetEmptyText(u"hint");
    field->SetMaxLength(5);
    field->SetEditColor(RGB(1, 2, 3));
    field->SetReadOnly(true);
    EXPECT_EQ(field->Edit().EmptyText(), u"hint");
    EXPECT_EQ(field->Edit().MaxLength(), 5);
    EXPECT_EQ(field->Edit().Color(), TColor(RGB(1, 2, 3)));
    EXPECT_TRUE(::GetWindowLongPtrW(field->Edit().Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(ButtonEditWindow, AMissingGlyphResourceFailsWithTheReadersError) {
    try {
        LoadPngResource(::GetModuleHandleW(nullptr), u"btn_gl_missing");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(u"btn_gl_missing"), std::u16string::npos);
    }
    for (int style = 0; style < 13; ++style)
        EXPECT_NO_THROW(LoadPngResource(::GetModuleHandleW(nullptr),
                                        GlyphResourceName(static_cast<TButtonStyle>(style))));
}

} // namespace
} // namespace zel
