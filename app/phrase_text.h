#pragma once
// What the options make of a phrase on its way to the clipboard, after its notes are gone:
// escapes ("\n" a line break, "\t" a tab, "\\" a backslash) and variables ({date}, {time},
// {date:FORMAT}, {clipboard}; "{{" and "}}" stand for braces; an unknown name stays as
// written). Portable: the clock, the locale's formats, the era table and the clipboard come
// in as a value.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// "\n" becomes CR LF, "\t" a tab, "\\" one backslash; any other backslash stays.
std::u16string ExpandEscapes(std::u16string_view phrase);
// How a phrase with escapes shows in its row: on one line, a line break as "↵", a tab as "→".
std::u16string ShowEscapes(std::u16string_view phrase);

struct TDateTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// An era of the Japanese calendar: its first day and its name.
struct TEra {
    int Year = 0, Month = 1, Day = 1;
    std::u16string Name;
};

// The date and time in a format of the letters yyyy, yy, MM, M, dd, d, HH, H, mm, m, ss, s,
// gg (the era's name) and ee, e (the year of the era); other characters stand for themselves,
// and a text in single quotes is copied as it is. A date before every era has an empty name
// and its Gregorian year as the year of the era.
std::u16string FormatDateTime(std::u16string_view format, const TDateTime& when,
                              const std::vector<TEra>& eras);

struct TVariableContext {
    TDateTime Now;
    std::u16string DateFormat = u"yyyy/MM/dd"; // {date}: the locale's short date format
    std::u16string TimeFormat = u"HH:mm";      // {time}: the locale's short time format
    std::vector<TEra> Eras;                    // in order of their first day
    // The clipboard's text now, asked only when a phrase names it.
    std::function<std::u16string()> Clipboard;
};

std::u16string ExpandVariables(std::u16string_view phrase, const TVariableContext& context);

} // namespace zel
