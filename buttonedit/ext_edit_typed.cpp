// TExtEdit's typed input: the kinds' characters and values on the window. The rules themselves
// are portable (typed_keys, typed_text, number_text); this file applies them to the window's
// text between prefix and suffix.
#include "buttonedit/ext_edit.h"

#include "buttonedit/number_text.h"
#include "buttonedit/text_classes.h"
#include "buttonedit/typed_keys.h"
#include "buttonedit/typed_text.h"

#include <algorithm>

namespace zel {

namespace {

bool IsNumber(std::u16string_view text, const LocaleData& locale) {
    return ClassFitsType(TextClassOf(text, locale), TExtEditType::etFloat);
}

// Stores a setting; true when that changed it.
template <class T>
bool Changed(T& setting, T value) {
    if (setting == value)
        return false;
    setting = value;
    return true;
}

} // namespace

// ---- The value between prefix and suffix ---------------------------------------------------

TextRange TExtEdit::ValueRange() {
    const int length = static_cast<int>(WindowText().size());
    const int start = std::min(static_cast<int>(FTyped.Prefix.size()), length);
    return {start, std::max(start, length - static_cast<int>(FTyped.Suffix.size()))};
}

TextRange TExtEdit::ValueSelection() {
    const TextRange value = ValueRange();
    TextRange selection = Selection();
    const auto inside = [&](int at) {
        return std::clamp(at, value.Start, value.End) - value.Start;
    };
    return {inside(std::min(selection.Start, selection.End)),
            inside(std::max(selection.Start, selection.End))};
}

void TExtEdit::KeepSelectionInValue() {
    const TextRange value = ValueRange();
    const TextRange selection = Selection();
    const TextRange kept{std::clamp(selection.Start, value.Start, value.End),
                         std::clamp(selection.End, value.Start, value.End)};
    if (!(kept == selection))
        SetSelection(kept);
}

void TExtEdit::ShowValue(const std::u16string& value, TextRange selection) {
    const int prefix = static_cast<int>(FTyped.Prefix.size());
    SetCaption(FTyped.Prefix + value + FTyped.Suffix);
    SetSelection({prefix + selection.Start, prefix + selection.End});
    TextChanged();
}

void TExtEdit::ShowValueText(const std::u16string& value) {
    const bool modified = FModified;
    SetCaption(FTyped.Prefix + value + FTyped.Suffix);
    TextChanged();
    SetModified(modified);
}

// ---- Keys ----------------------------------------------------------------------------------

bool TExtEdit::TypedCharacter(char16_t& key) {
    KeepSelectionInValue();
    if (FExcelDecimalKey && (key == u'.' || key == u',') && FTyped.ExcelStyleDecimalSeparator)
        key = FLocale.DecimalSeparator;
    const std::u16string value = Text();
    const TextRange selection = ValueSelection();
    const TypedKey outcome = TypeCharacter(FEditType, FTyped, FLocale, value, selection, key);
    switch (outcome.Action) {
    case TypedKey::TAction::Refuse:
        return false;
    case TypedKey::TAction::Replace:
        SetModified(true);
        ShowValue(outcome.Text, outcome.Selection);
        MoveOnWhenFull();
        return false;
    default:
        key = outcome.Char;
        return true;
    }
}

bool TExtEdit::BackspaceAllowed() {
    KeepSelectionInValue();
    const TextRange selection = Selection();
    // Only a prefix stops it: at the very start the window itself does nothing.
    return FTyped.Prefix.empty() || selection.End > selection.Start ||
           selection.Start > static_cast<int>(FTyped.Prefix.size());
}

bool TExtEdit::DeleteAllowed() {
    KeepSelectionInValue();
    const TextRange selection = ValueSelection();
    std::u16string value = Text();
    if (selection.Start == selection.End && selection.End >= static_cast<int>(value.size()))
        return FTyped.Suffix.empty(); // at the end a suffix stops it, the window does nothing
    value.erase(static_cast<size_t>(selection.Start),
                static_cast<size_t>(std::max(selection.End - selection.Start, 1)));
    return FTyped.LengthLimit <= 0 ||
           IntegerPartLength(value, FEditType, FTyped.Signed, FLocale) <= FTyped.LengthLimit;
}

void TExtEdit::MoveOnWhenFull() {
    if (!FTyped.TabOnFullLength || FTyped.LengthLimit <= 0)
        return;
    const std::u16string value = Text();
    const TextRange selection = ValueSelection();
    if (IntegerPartLength(value, FEditType, FTyped.Signed, FLocale) == FTyped.LengthLimit &&
        selection.End == IntegerPartEnd(value, FLocale))
        MoveFocusOn();
}

void TExtEdit::MoveFocusOn() {
    // The form moves the focus to the next control in tab order, as Tab does.
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(::GetAncestor(window, GA_ROOT), WM_NEXTDLGCTL, 0, 0);
}

// ---- Whole texts ---------------------------------------------------------------------------

void TExtEdit::RegroupMoney() {
    if (FEditType != TExtEditType::etMoney || !FTyped.AutoThousandSeparator)
        return;
    const std::u16string value = Text();
    const MoneyText money = ReformatMoney(value, ValueSelection(), FLocale);
    if (money.Text == value)
        return;
    const int prefix = static_cast<int>(FTyped.Prefix.size());
    SetCaption(FTyped.Prefix + money.Text + FTyped.Suffix);
    SetSelection({prefix + money.Selection.Start, prefix + money.Selection.End});
}

void TExtEdit::TidyOnExit() {
    const std::u16string value = Text();
    const std::u16string tidied = TidiedText(FEditType, FTyped, FLocale, value);
    if (tidied != value)
        ShowValueText(tidied);
}

bool TExtEdit::ValueWithinTypedLimits(const std::u16string& text) {
    return ValueWithinLimits(FEditType, FTyped, FLocale, text);
}

std::u16string TExtEdit::TypedText(const std::u16string& value) {
    return TextForType(FEditType, FTyped, FLocale, value);
}

std::optional<std::u16string> TExtEdit::TypedPaste(const std::u16string& windowText) {
    const std::u16string value = TextWithoutAffixes(windowText, FTyped.Prefix, FTyped.Suffix);
    std::optional<std::u16string> pasted = PastedTextForType(FEditType, FTyped, FLocale, value);
    if (pasted)
        *pasted = FTyped.Prefix + *pasted + FTyped.Suffix;
    return pasted;
}

void TExtEdit::PasteMovesOn() {
    if (FTyped.TabOnFullLength && FTyped.LengthLimit > 0 &&
        static_cast<int>(Text().size()) == FTyped.LengthLimit)
        MoveFocusOn();
}

// ---- Settings ------------------------------------------------------------------------------

void TExtEdit::SetEditType(TExtEditType value) {
    if (value == FEditType)
        return;
    const bool password = value == TExtEditType::etPassword;
    const bool recreate = password || FEditType == TExtEditType::etPassword;
    FEditType = value;
    if (password) {
        FPasswordChar = u'*';
        FCanUndo = false;
    } else {
        FPasswordChar = 0;
    }
    if (recreate)
        RecreateWindow();
    else if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_SETPASSWORDCHAR, 0, 0);
    const std::u16string text = Text();
    if (text.empty() && FTyped.AllowNumericNullValue)
        return;
    if (!ClassFitsType(TextClassOf(text, FLocale), FEditType))
        ShowValueText(TypedText(u"0"));
}

void TExtEdit::ResetValue() {
    const std::u16string text = Text();
    if (text.empty() && FTyped.AllowNumericNullValue)
        return;
    // A plain text field keeps a text that is no number: it only writes numbers anew.
    if (FEditType == TExtEditType::etString && !IsNumber(text, FLocale))
        return;
    SetFloatValue(IsNumber(text, FLocale) ? FloatValue() : 0);
}

void TExtEdit::SetPrecision(int16_t value) {
    if (Changed(FTyped.Precision, value) &&
        (FEditType == TExtEditType::etString || IsDecimalType(FEditType)))
        ResetValue();
}

void TExtEdit::SetPrecisionDisplay(TPrecisionDisplay value) {
    if (Changed(FTyped.PrecisionDisplay, value) && IsDecimalType(FEditType))
        ResetValue();
}

void TExtEdit::SetAutoThousandSeparator(bool value) {
    if (Changed(FTyped.AutoThousandSeparator, value) && IsDecimalType(FEditType))
        ResetValue();
}

void TExtEdit::SetPrefix(std::u16string value) {
    ReplaceAffix(FTyped.Prefix, std::move(value));
}

void TExtEdit::SetSuffix(std::u16string value) {
    ReplaceAffix(FTyped.Suffix, std::move(value));
}

void TExtEdit::ReplaceAffix(std::u16string& affix, std::u16string value) {
    const std::u16string text = Text();
    affix = std::move(value);
    SetCaption(FTyped.Prefix + text + FTyped.Suffix);
    TextChanged();
}

// ---- Values --------------------------------------------------------------------------------

double TExtEdit::FloatValue() {
    return FloatValueOf(Text(), FEditType, FTyped.Precision, FLocale);
}

void TExtEdit::SetFloatValue(double value) {
    ShowNumber(FloatValueText(value, FEditType, FTyped, FLocale));
}

int TExtEdit::IntValue() {
    return IntValueOf(Text(), FEditType, FLocale);
}

void TExtEdit::SetIntValue(int value) {
    ShowNumber(IntValueText(value, FEditType, FTyped, FLocale));
}

void TExtEdit::ShowNumber(const std::u16string& text) {
    SetCaption(FTyped.Prefix + text + FTyped.Suffix);
    TextChanged();
    SetModified(true);
}

void TExtEdit::SelectBeforeDecimal() {
    PutCaretAtDecimal(0);
}

void TExtEdit::SelectAfterDecimal() {
    PutCaretAtDecimal(1);
}

void TExtEdit::PutCaretAtDecimal(int behind) {
    const size_t at = Text().find(FLocale.DecimalSeparator);
    const int caret = static_cast<int>(FTyped.Prefix.size()) +
                      (at == std::u16string::npos ? 0 : static_cast<int>(at) + behind);
    SetSelection({caret, caret});
}

bool TExtEdit::RangeStrToList(TRangeList& List) {
    return List.StrToList(Text());
}

void TExtEdit::ListToRangeStr(TRangeList& List) {
    List.Sort();
    SetText(List.ListToStr());
}

} // namespace zel
