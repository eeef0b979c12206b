#include "app/phrase_text.h"

#include <algorithm>
#include <array>
#include <string>

namespace zel {

std::u16string ExpandEscapes(std::u16string_view phrase) {
    std::u16string out;
    out.reserve(phrase.size());
    for (size_t i = 0; i < phrase.size(); ++i) {
        const char16_t next = i + 1 < phrase.size() ? phrase[i + 1] : 0;
        if (phrase[i] != u'\\' || (next != u'n' && next != u't' && next != u'\\')) {
            out.push_back(phrase[i]);
            continue;
        }
        out += next == u'n' ? u"\r\n" : next == u't' ? u"\t" : u"\\";
        ++i;
    }
    return out;
}

std::u16string ShowEscapes(std::u16string_view phrase) {
    std::u16string shown = ExpandEscapes(phrase);
    std::u16string out;
    out.reserve(shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == u'\r' && i + 1 < shown.size() && shown[i + 1] == u'\n') {
            out.push_back(u'↵');
            ++i;
        } else {
            out.push_back(shown[i] == u'\t' ? u'→' : shown[i]);
        }
    }
    return out;
}

namespace {

void AppendNumber(std::u16string& out, int value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    out.append(text.begin(), text.end());
}

// The era of the date: the last one whose first day is not after it, or none.
const TEra* EraOf(const TDateTime& when, const std::vector<TEra>& eras) {
    const TEra* found = nullptr;
    for (const TEra& era : eras) {
        const auto start = std::array{era.Year, era.Month, era.Day};
        const auto date = std::array{when.Year, when.Month, when.Day};
        if (start <= date && (!found || std::array{found->Year, found->Month, found->Day} < start))
            found = &era;
    }
    return found;
}

struct Field {
    std::u16string_view Letters;
    int (*Value)(const TDateTime&, const TEra*);
    int Digits;
};

int EraYear(const TDateTime& when, const TEra* era) {
    return era ? when.Year - era->Year + 1 : when.Year;
}

// Longest letters first, so that "yyyy" wins over "yy" and "MM" over "M".
constexpr std::array kFields{
    Field{u"yyyy", [](const TDateTime& t, const TEra*) { return t.Year; }, 4},
    Field{u"yy", [](const TDateTime& t, const TEra*) { return t.Year % 100; }, 2},
    Field{u"MM", [](const TDateTime& t, const TEra*) { return t.Month; }, 2},
    Field{u"M", [](const TDateTime& t, const TEra*) { return t.Month; }, 1},
    Field{u"dd", [](const TDateTime& t, const TEra*) { return t.Day; }, 2},
    Field{u"d", [](const TDateTime& t, const TEra*) { return t.Day; }, 1},
    Field{u"HH", [](const TDateTime& t, const TEra*) { return t.Hour; }, 2},
    Field{u"H", [](const TDateTime& t, const TEra*) { return t.Hour; }, 1},
    Field{u"mm", [](const TDateTime& t, const TEra*) { return t.Minute; }, 2},
    Field{u"m", [](const TDateTime& t, const TEra*) { return t.Minute; }, 1},
    Field{u"ss", [](const TDateTime& t, const TEra*) { return t.Second; }, 2},
    Field{u"s", [](const TDateTime& t, const TEra*) { return t.Second; }, 1},
    Field{u"ee", &EraYear, 2},
    Field{u"e", &EraYear, 1},
};

} // namespace

std::u16string FormatDateTime(std::u16string_view format, const TDateTime& when,
                              const std::vector<TEra>& eras) {
    const TEra* era = EraOf(when, eras);
    std::u16string out;
    for (size_t i = 0; i < format.size();) {
        const std::u16string_view rest = format.substr(i);
        if (rest[0] == u'\'') {
            const size_t close = rest.find(u'\'', 1);
            out.append(rest.substr(1, close == std::u16string_view::npos ? close : close - 1));
            i += close == std::u16string_view::npos ? rest.size() : close + 1;
            continue;
        }
        if (rest.starts_with(u"gg")) {
            if (era)
                out += era->Name;
            i += 2;
            continue;
        }
        const auto field = std::find_if(kFields.begin(), kFields.end(), [&](const Field& f) {
            return rest.starts_with(f.Letters);
        });
        if (field == kFields.end()) {
            out.push_back(rest[0]);
            ++i;
            continue;
        }
        AppendNumber(out, field->Value(when, era), field->Digits);
        i += field->Letters.size();
    }
    return out;
}

namespace {

// The value of the variable between braces, or false for a name that means nothing.
bool VariableValue(std::u16string_view name, const TVariableContext& context,
                   std::u16string& value) {
    if (name == u"date")
        value = FormatDateTime(context.DateFormat, context.Now, context.Eras);
    else if (name == u"time")
        value = FormatDateTime(context.TimeFormat, context.Now, context.Eras);
    else if (name.starts_with(u"date:"))
        value = FormatDateTime(name.substr(5), context.Now, context.Eras);
    else if (name == u"clipboard")
        value = context.Clipboard ? context.Clipboard() : std::u16string();
    else
        return false;
    return true;
}

} // namespace

std::u16string ExpandVariables(std::u16string_view phrase, const TVariableContext& context) {
    std::u16string out;
    out.reserve(phrase.size());
    for (size_t i = 0; i < phrase.size(); ++i) {
        const char16_t c = phrase[i];
        const char16_t next = i + 1 < phrase.size() ? phrase[i + 1] : 0;
        if ((c == u'{' || c == u'}') && next == c) {
            out.push_back(c);
            ++i;
            continue;
        }
        const size_t close = c == u'{' ? phrase.find(u'}', i + 1) : std::u16string_view::npos;
        std::u16string value;
        if (close != std::u16string_view::npos &&
            VariableValue(phrase.substr(i + 1, close - i - 1), context, value)) {
            out += value;
            i = close;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace zel
