#pragma once
// The two locales the typed-input tests run in: "." for decimals with "," between thousands,
// and the other way round.
#include "ui/locale_data.h"

namespace zel::testing_locales {

inline LocaleData DotDecimals() {
    return LocaleData{};
}

inline LocaleData CommaDecimals() {
    LocaleData locale;
    locale.DecimalSeparator = u',';
    locale.ThousandSeparator = u'.';
    return locale;
}

} // namespace zel::testing_locales
