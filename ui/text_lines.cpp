#include "ui/text_lines.h"

namespace zel {

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    if (auto nul = text.find(u'\0'); nul != std::u16string_view::npos)
        text = text.substr(0, nul);
    std::vector<std::u16string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && text[b] <= u' ')
        ++b;
    while (e > b && text[e - 1] <= u' ')
        --e;
    return text.substr(b, e - b);
}

namespace {

char16_t FoldCase(char16_t c) {
    // Basic Latin, Latin-1, Greek, Cyrillic and full-width Latin capitals: the scripts a key
    // could be written in.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    if (c >= 0xFF21 && c <= 0xFF3A)
        return static_cast<char16_t>(c + 0x20);
    return c;
}

} // namespace

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

} // namespace zel
