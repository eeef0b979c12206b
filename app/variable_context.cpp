#include "app/variable_context.h"

#include "ui/clipboard.h"
#include "ui/unique_handle.h"
#include "ui/user_locale.h"
#include "ui/wide.h"

#include <algorithm>
#include <cwchar>
#include <tuple>

namespace zel {

namespace {

// The registry's era table: values "YYYY MM DD" = "name_abbreviation_English_E".
std::vector<TEra> ErasFromRegistry() {
    std::vector<TEra> eras;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                        L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras", 0,
                        KEY_READ, &key) != ERROR_SUCCESS)
        return eras;
    for (DWORD index = 0;; ++index) {
        wchar_t name[64], data[128];
        DWORD nameLength = 64, dataBytes = sizeof data - sizeof(wchar_t), type = 0;
        if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(data), &dataBytes) != ERROR_SUCCESS)
            break;
        data[dataBytes / sizeof(wchar_t)] = 0;
        TEra era;
        if (type != REG_SZ || std::swscanf(name, L"%d %d %d", &era.Year, &era.Month, &era.Day) != 3)
            continue;
        const std::u16string text = FromW(data);
        era.Name = text.substr(0, text.find(u'_'));
        eras.push_back(std::move(era));
    }
    ::RegCloseKey(key);
    return eras;
}

struct Collected {
    std::vector<std::u16string> Texts;
};

BOOL CALLBACK Collect(LPWSTR text, CALID, LPWSTR, LPARAM into) {
    reinterpret_cast<Collected*>(into)->Texts.push_back(FromW(text));
    return TRUE;
}

// The calendar's era names and first years, paired in the order the system lists them.
std::vector<TEra> ErasFromCalendar() {
    Collected names, years;
    ::EnumCalendarInfoExEx(&Collect, L"ja-JP", CAL_JAPAN, nullptr, CAL_SERASTRING,
                           reinterpret_cast<LPARAM>(&names));
    ::EnumCalendarInfoExEx(&Collect, L"ja-JP", CAL_JAPAN, nullptr, CAL_IYEAROFFSETRANGE,
                           reinterpret_cast<LPARAM>(&years));
    std::vector<TEra> eras;
    for (size_t i = 0; i < std::min(names.Texts.size(), years.Texts.size()); ++i) {
        TEra era;
        for (char16_t c : years.Texts[i]) {
            if (c < u'0' || c > u'9' || era.Year > 99999)
                break;
            era.Year = era.Year * 10 + (c - u'0');
        }
        era.Name = names.Texts[i];
        if (era.Year > 0)
            eras.push_back(std::move(era));
    }
    return eras;
}

std::u16string ShortTimeFormat() {
    wchar_t format[80] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80);
    return length > 1 ? FromW(format, static_cast<size_t>(length - 1)) : u"HH:mm";
}

} // namespace

std::vector<TEra> JapaneseEras() {
    std::vector<TEra> eras = ErasFromRegistry();
    if (eras.empty())
        eras = ErasFromCalendar();
    std::sort(eras.begin(), eras.end(), [](const TEra& a, const TEra& b) {
        return std::tie(a.Year, a.Month, a.Day) < std::tie(b.Year, b.Month, b.Day);
    });
    return eras;
}

TVariableContext CurrentVariableContext(HWND clipboardOwner) {
    TVariableContext context;
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    context.Now = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    context.DateFormat = UserLocaleData().ShortDateFormat;
    context.TimeFormat = ShortTimeFormat();
    context.Eras = JapaneseEras();
    context.Clipboard = [clipboardOwner] {
        std::u16string text;
        GetClipboardText(clipboardOwner, text);
        return text;
    };
    return context;
}

} // namespace zel
