#pragma once
// The edit field's enumerations, its typed-input settings and its event types.
#include "ui/component.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zel {

enum class TExtEditType : uint8_t {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars,
    etInvalidChars,
};

enum class TEditAlign : uint8_t { eaLeft, eaRight, eaDefault, eaCenter };
enum class TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
enum class TBorderStyle : uint8_t { bsNone, bsSingle };
enum class TPrecisionDisplay : uint8_t { pdNormal, pdShortest };

using TFontStyles = uint8_t;
enum : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The settings of the typed kinds of input, with their defaults; the plain text type reads
// only Prefix and Suffix.
struct TTypedInputSettings {
    int16_t Precision = 0;
    TPrecisionDisplay PrecisionDisplay = TPrecisionDisplay::pdNormal;
    bool Signed = false;
    bool AllowNumericNullValue = false;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    int16_t LengthLimit = 0;
    bool TabOnFullLength = false;
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    double MinFloatValue = 0;
    double MaxFloatValue = 0;
    std::u16string ValidChars;
    std::u16string InvalidChars;
    std::u16string Prefix;
    std::u16string Suffix;
};

using TClipboardEvent =
    std::function<void(Component* Sender, const std::u16string& Text, bool& Allow)>;
using TClipboardAllowEvent =
    std::function<void(Component* Sender, std::u16string& Text, bool& Allow)>;
using TURLClickEvent =
    std::function<void(Component* Sender, const std::u16string& URL, bool& Default)>;
using TValueValidateEvent =
    std::function<void(Component* Sender, const std::u16string& Value, bool& IsValid)>;

} // namespace zel
