#include "ui/user_locale.h"

#include "ui/wide.h"

#include <windows.h>

namespace zel {

namespace {

std::u16string LocaleText(LCTYPE type) {
    wchar_t buffer[LOCALE_NAME_MAX_LENGTH * 2] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer,
                                         static_cast<int>(std::size(buffer)));
    return length > 1 ? FromW(buffer, static_cast<size_t>(length - 1)) : std::u16string();
}

char16_t LocaleChar(LCTYPE type, char16_t fallback) {
    std::u16string text = LocaleText(type);
    return text.empty() ? fallback : text.front();
}

std::u16string MappedCase(std::u16string_view text, DWORD caseFlag) {
    if (text.empty())
        return {};
    const DWORD flags = caseFlag | LCMAP_LINGUISTIC_CASING;
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length =
        ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, static_cast<int>(text.size()),
                        nullptr, 0, nullptr, nullptr, 0);
    if (length <= 0)
        return std::u16string(text);
    std::u16string mapped(static_cast<size_t>(length), u'\0');
    ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source, static_cast<int>(text.size()),
                    reinterpret_cast<wchar_t*>(mapped.data()), length, nullptr, nullptr, 0);
    return mapped;
}

std::u16string UpperCase(std::u16string_view text) {
    return MappedCase(text, LCMAP_UPPERCASE);
}

std::u16string LowerCase(std::u16string_view text) {
    return MappedCase(text, LCMAP_LOWERCASE);
}

} // namespace

LocaleData UserLocaleData() {
    LocaleData locale;
    if (std::u16string format = LocaleText(LOCALE_SSHORTDATE); !format.empty())
        locale.ShortDateFormat = format;
    locale.DateSeparator = LocaleChar(LOCALE_SDATE, locale.DateSeparator);
    locale.TimeSeparator = LocaleChar(LOCALE_STIME, locale.TimeSeparator);
    locale.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, locale.DecimalSeparator);
    locale.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, locale.ThousandSeparator);
    locale.UpperCase = &UpperCase;
    locale.LowerCase = &LowerCase;
    return locale;
}

} // namespace zel
