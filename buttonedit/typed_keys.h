#pragma once
// What a typed character does in a field of each kind: the characters a kind accepts, the
// case it converts them to, and the rules of signs, separators, decimals and LengthLimit.
// Texts are the field's value (prefix and suffix left out) and positions lie in it.
#include "buttonedit/edit_text.h"
#include "buttonedit/edit_types.h"
#include "ui/locale_data.h"

#include <string>
#include <string_view>

namespace zel {

struct TypedKey {
    enum class TAction : uint8_t {
        Refuse,  // the character is dropped
        Insert,  // the window inserts Char over the selection as usual
        Replace, // the field takes Text with Selection instead
    };
    TAction Action = TAction::Insert;
    char16_t Char = 0;
    std::u16string Text;
    TextRange Selection;
};

// Whether a kind accepts the character at all (Backspace, Tab, Return and Ctrl combinations
// are no concern of the kinds).
bool AcceptsCharacter(TExtEditType Type, const TTypedInputSettings& Settings,
                      const LocaleData& Locale, char16_t Key);

// The character in the case its kind shows: upper case for etUppercase and the letters of
// etHex, lower case for etLowerCase.
char16_t CaseConverted(TExtEditType Type, char16_t Key, const LocaleData& Locale);

// What typing Key over Selection of Text does; etMixedCase re-capitalises the whole text.
TypedKey TypeCharacter(TExtEditType Type, const TTypedInputSettings& Settings,
                       const LocaleData& Locale, std::u16string_view Text, TextRange Selection,
                       char16_t Key);

} // namespace zel
