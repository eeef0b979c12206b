// Typed input in a real edit window: what the user types, pastes and leaves behind in each
// kind, and the values the program reads and writes.
#include "buttonedit/tests/test_locales.h"
#include "buttonedit/tests/win32/edit_fixture.h"
#include "ui/clipboard.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace zel::edit_testing;
using namespace zel::testing_locales;
using enum TExtEditType;

struct TypedEdit : EditWindow {
    void SetUp() override {
        EditWindow::SetUp();
        edit->SetLocale(DotDecimals());
    }
    // The kind with an empty text, or "0" for the number kinds, selected.
    void Kind(TExtEditType type) {
        edit->SetEditType(type);
        edit->SetText(u"");
        edit->SelectAll();
    }
    void TypeAt(int caret, const std::u16string& text) {
        edit->SetSelection({caret, caret});
        Type(Window(), text);
    }
    void Paste(const std::u16string& text) {
        SetClipboardText(Window(), text);
        ::SendMessageW(Window(), WM_PASTE, 0, 0);
    }
};

TEST_F(TypedEdit, NumericTakesDigitsAndASignOnlyWhenSigned) {
    Kind(etNumeric);
    Focus();
    Type(Window(), u"1a-2");
    EXPECT_EQ(edit->Text(), u"12");
    edit->SetSigned(true);
    edit->SelectAll();
    Type(Window(), u"-");
    EXPECT_EQ(edit->Text(), u"-");
    edit->SetText(u"12");
    TypeAt(2, u"-");
    EXPECT_EQ(edit->Text(), u"-12");
    EXPECT_EQ(edit->Selection(), (TextRange{3, 3}));
    Type(Window(), u"-");
    EXPECT_EQ(edit->Text(), u"12");
    EXPECT_TRUE(edit->Modified());
}

TEST_F(TypedEdit, FloatKeepsItsPrecisionAndStartsASeparatorWithZero) {
    Kind(etFloat);
    edit->SetPrecision(2);
    Focus();
    Type(Window(), u".");
    EXPECT_EQ(edit->Text(), u"0.");
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
    edit->SetText(u"1.23");
    TypeAt(4, u"4");
    EXPECT_EQ(edit->Text(), u"1.23");
    TypeAt(2, u"9");
    EXPECT_EQ(edit->Text(), u"1.93");
    TypeAt(0, u".");
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2})); // behind the one separator
}

TEST_F(TypedEdit, MixedCaseCapitalisesAsTheUserTypes) {
    Kind(etMixedCase);
    Focus();
    changes = 0;
    Type(Window(), u"mcdonald");
    EXPECT_EQ(edit->Text(), u"McDonald");
    EXPECT_EQ(changes, 8); // one change a character
    Kind(etUppercase);
    Type(Window(), u"abc");
    EXPECT_EQ(edit->Text(), u"ABC");
    Kind(etHex);
    Type(Window(), u"1fz");
    EXPECT_EQ(edit->Text(), u"1F");
}

TEST_F(TypedEdit, MoneyRegroupsAndKeepsTheCaretsDistanceFromTheEnd) {
    Kind(etMoney);
    Focus();
    changes = 0;
    Type(Window(), u"1234567");
    EXPECT_EQ(edit->Text(), u"1,234,567");
    EXPECT_EQ(edit->Selection(), (TextRange{9, 9}));
    EXPECT_EQ(changes, 7);
    TypeAt(1, u"0"); // 10,234,567: the caret stays before "234,567"
    EXPECT_EQ(edit->Text(), u"10,234,567");
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
    PressKey(Window(), VK_BACK, 0x08);
    EXPECT_EQ(edit->Text(), u"1,234,567");
    EXPECT_EQ(edit->Selection(), (TextRange{1, 1}));
}

TEST_F(TypedEdit, TheCaretStaysOutOfPrefixAndSuffix) {
    edit->SetPrefix(u"$ ");
    edit->SetSuffix(u" USD");
    edit->SetText(u"12");
    ASSERT_EQ(::GetWindowTextLengthW(Window()), 8);
    Focus();
    edit->SetSelection({4, 4});
    PressKey(Window(), VK_HOME);
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
    PressKey(Window(), VK_LEFT);
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
    PressKey(Window(), VK_BACK, 0x08);
    EXPECT_EQ(edit->Text(), u"12");
    PressKey(Window(), VK_END);
    EXPECT_EQ(edit->Selection(), (TextRange{4, 4}));
    PressKey(Window(), VK_DELETE);
    EXPECT_EQ(edit->Text(), u"12");
    edit->SetSelection({0, 0});
    Type(Window(), u"3");
    EXPECT_EQ(edit->Text(), u"312");
    // A click into the prefix puts the caret behind it.
    const POINT inPrefix = edit->PosFromChar(0);
    const LPARAM at = MAKELPARAM(inPrefix.x + 1, inPrefix.y + 2);
    ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(Window(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(edit->Selection(), (TextRange{2, 2}));
}

TEST_F(TypedEdit, WithoutAffixesTheEndsStillRaiseTheKeyEvents) {
    edit->SetText(u"ab");
    Focus();
    std::vector<WORD> down;
    std::u16string pressed;
    edit->OnKeyDown = [&](Component*, WORD& key, TShiftState) { down.push_back(key); };
    edit->OnKeyPress = [&](Component*, char16_t& key) { pressed += key; };
    edit->SetSelection({2, 2});
    PressKey(Window(), VK_DELETE);
    edit->SetSelection({0, 0});
    PressKey(Window(), VK_BACK, 0x08);
    EXPECT_EQ(down, (std::vector<WORD>{VK_DELETE, VK_BACK}));
    EXPECT_EQ(pressed, u"\b");
    EXPECT_EQ(edit->Text(), u"ab");
}

TEST_F(TypedEdit, AFullLengthMovesTheFocusOn) {
    TExtEdit* next = shown.form->Make<TExtEdit>();
    next->SetParent(shown.panel);
    next->SetBounds(10, 40, 200, 21);
    Kind(etNumeric);
    edit->SetLengthLimit(3);
    edit->SetTabOnFullLength(true);
    Focus();
    Type(Window(), u"12");
    EXPECT_EQ(::GetFocus(), Window());
    Type(Window(), u"3");
    EXPECT_EQ(::GetFocus(), next->Handle());
    Focus();
    TypeAt(3, u"4");
    EXPECT_EQ(edit->Text(), u"123");
    // Without TabOnFullLength the limit only refuses; Delete may not leave it exceeded.
    edit->SetTabOnFullLength(false);
    edit->SetText(u"12345");
    TypeAt(0, u"");
    PressKey(Window(), VK_DELETE);
    EXPECT_EQ(edit->Text(), u"12345");
    edit->SetTabOnFullLength(true);
    edit->SetText(u"");
    edit->SelectAll();
    Paste(u"987");
    EXPECT_EQ(edit->Text(), u"987");
    EXPECT_EQ(::GetFocus(), next->Handle());
}

TEST_F(TypedEdit, PastesOfTheWrongKindChangeNothing) {
    Kind(etNumeric);
    edit->SetText(u"42");
    Focus();
    edit->SetSelection({2, 2});
    changes = 0;
    Paste(u"not a number");
    EXPECT_EQ(edit->Text(), u"42");
    EXPECT_EQ(changes, 0);
    Paste(u"7");
    EXPECT_EQ(edit->Text(), u"427");
    Kind(etUppercase);
    Paste(u"shout");
    EXPECT_EQ(edit->Text(), u"SHOUT");
}

TEST_F(TypedEdit, AHundredThousandCharactersPasteWhole) {
    const std::u16string large(100000, u'x');
    Focus();
    Paste(large);
    EXPECT_EQ(edit->Text(), large);
    EXPECT_EQ(edit->Selection(), (TextRange{100000, 100000}));
    Kind(etFloat);
    Paste(large);
    EXPECT_EQ(edit->Text(), u"0");
}

TEST_F(TypedEdit, TextSetByTheProgramTakesTheKindsForm) {
    Kind(etNumeric);
    edit->SetText(u"abc");
    EXPECT_EQ(edit->Text(), u"0");
    Kind(etHex);
    edit->SetText(u"ff");
    EXPECT_EQ(edit->Text(), u"FF");
    EXPECT_EQ(edit->IntValue(), 255);
    edit->SetEditType(etString);
    edit->SetText(u"hello");
    edit->SetEditType(etNumeric); // a text of another kind becomes 0
    EXPECT_EQ(edit->Text(), u"0");
    edit->SetAllowNumericNullValue(true);
    edit->SetEditType(etString);
    edit->SetText(u"");
    edit->SetEditType(etFloat);
    EXPECT_EQ(edit->Text(), u"");
}

TEST_F(TypedEdit, ValuesReadAndWriteInTheLocale) {
    Kind(etMoney);
    edit->SetPrecision(2);
    edit->SetFloatValue(1234.5);
    EXPECT_EQ(edit->Text(), u"1,234.50");
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->FloatValue(), 1234.5);
    EXPECT_EQ(edit->IntValue(), 1234);
    edit->SetLocale(CommaDecimals());
    edit->SetIntValue(9876543);
    EXPECT_EQ(edit->Text(), u"9.876.543");
    edit->SetFloatValue(0.25);
    EXPECT_EQ(edit->Text(), u"0,25");
    edit->SetPrecisionDisplay(TPrecisionDisplay::pdShortest);
    edit->SetFloatValue(2.5);
    EXPECT_EQ(edit->Text(), u"2,5");
    Kind(etFloat);
    edit->SetPrecisionDisplay(TPrecisionDisplay::pdNormal);
    edit->SetPrecision(0);
    edit->SetText(u"1,5");
    edit->SetPrecision(3); // the value is written anew
    EXPECT_EQ(edit->Text(), u"1,500");
}

TEST_F(TypedEdit, LeavingTheFieldTidiesAndValidates) {
    Kind(etFloat);
    edit->SetPrecision(2);
    Focus();
    Type(Window(), u"1.5");
    Unfocus();
    EXPECT_EQ(edit->Text(), u"1.50");
    Kind(etNumeric);
    edit->SetMinValue(5);
    edit->SetMaxValue(10);
    edit->SetShowError(true);
    edit->SetColor(RGB(255, 255, 255));
    Focus();
    Type(Window(), u"3");
    EXPECT_TRUE(edit->IsError());
    EXPECT_EQ(edit->Color(), edit->ErrorColor());
    Type(Window(), u"0");
    EXPECT_TRUE(edit->IsError()); // 30 is above the limit
    Unfocus();
    EXPECT_EQ(edit->Text(), u"10");
    EXPECT_FALSE(edit->IsError());
    EXPECT_EQ(edit->Color(), TColor(RGB(255, 255, 255)));
    Kind(etNumeric);
    edit->SetText(u"");
    Focus();
    Unfocus();
    EXPECT_EQ(edit->Text(), u"5");
}

TEST_F(TypedEdit, PasswordsHaveASingleLineWindowAndNoUndo) {
    Kind(etPassword);
    EXPECT_FALSE(::GetWindowLongPtrW(Window(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(edit->PasswordChar(), u'*');
    EXPECT_FALSE(edit->CanUndo());
    Focus();
    Type(Window(), u"secret");
    PressKey(Window(), VK_ESCAPE, 0x1B);
    EXPECT_EQ(edit->Text(), u"secret");
    edit->SetEditType(etString);
    EXPECT_EQ(edit->PasswordChar(), 0);
    EXPECT_TRUE(::GetWindowLongPtrW(Window(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(edit->Text(), u"secret");
}

TEST_F(TypedEdit, TheKeypadsDecimalKeyTypesTheLocalesSeparator) {
    edit->SetLocale(CommaDecimals());
    Kind(etFloat);
    edit->SetExcelStyleDecimalSeparator(true);
    Focus();
    Type(Window(), u"1");
    ::SendMessageW(Window(), WM_KEYDOWN, VK_DECIMAL, 1);
    ::SendMessageW(Window(), WM_CHAR, u'.', 1);
    ::SendMessageW(Window(), WM_KEYUP, VK_DECIMAL, 0xC0000001);
    EXPECT_EQ(edit->Text(), u"1,");
    Type(Window(), u"5.");
    EXPECT_EQ(edit->Text(), u"1,5."); // the other "." is a thousand separator there
}

TEST_F(TypedEdit, DecimalSelectionsAndRanges) {
    edit->SetPrefix(u"EUR ");
    Kind(etFloat);
    edit->SetText(u"12.75");
    edit->SelectBeforeDecimal();
    EXPECT_EQ(edit->Selection(), (TextRange{6, 6}));
    edit->SelectAfterDecimal();
    EXPECT_EQ(edit->Selection(), (TextRange{7, 7}));
    edit->SetText(u"12");
    edit->SelectAfterDecimal();
    EXPECT_EQ(edit->Selection(), (TextRange{4, 4}));
    Kind(etRange);
    edit->SetText(u"1-3,5;7");
    TRangeList list;
    EXPECT_TRUE(edit->RangeStrToList(list));
    EXPECT_EQ(list.Count(), 5);
    list.Add(4);
    edit->ListToRangeStr(list);
    EXPECT_EQ(edit->Text(), u"1-5,7");
    Focus();
    TypeAt(9, u",;");
    EXPECT_EQ(edit->Text(), u"1-5,7,");
}

} // namespace
} // namespace zel
