#include "buttonedit/edit_text.h"

#include <algorithm>

namespace zel {

namespace {

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view head) {
    if (text.size() < head.size())
        return false;
    return std::equal(head.begin(), head.end(), text.begin(),
                      [](char16_t a, char16_t b) { return AsciiLower(a) == AsciiLower(b); });
}

} // namespace

std::u16string TextWithoutAffixes(std::u16string_view windowText, std::u16string_view prefix,
                                  std::u16string_view suffix) {
    std::u16string_view text = windowText;
    if (!prefix.empty() && StartsWithIgnoringCase(text, prefix))
        text.remove_prefix(prefix.size());
    text.remove_suffix(std::min(suffix.size(), text.size()));
    return std::u16string(text);
}

bool IsURLText(std::u16string_view text) {
    if (text.find(u"://") != std::u16string_view::npos)
        return true;
    size_t at = text.find(u'@');
    if (at != std::u16string_view::npos && at > 0)
        return true;
    return StartsWithIgnoringCase(text, u"www.");
}

TextRange SelectAllRange(std::u16string_view windowText, int prefixLength, int suffixLength,
                         bool showURL) {
    const int length = static_cast<int>(windowText.size());
    TextRange range{std::min(prefixLength, length), std::max(0, length - suffixLength)};
    if (showURL) {
        size_t scheme = windowText.find(u"://");
        if (scheme != std::u16string_view::npos) {
            range.Start = static_cast<int>(scheme) + 3;
        } else if (size_t mail = windowText.find(u"mailto:"); mail != std::u16string_view::npos) {
            range.Start = static_cast<int>(mail) + 7;
        }
    }
    range.End = std::max(range.Start, range.End);
    return range;
}

PasteResult PastedText(std::u16string_view current, TextRange selection,
                       std::u16string_view clipboard) {
    std::u16string_view pasted = clipboard.substr(0, clipboard.find(u'\r'));
    const int length = static_cast<int>(current.size());
    const int start = std::clamp(std::min(selection.Start, selection.End), 0, length);
    const int end = std::clamp(std::max(selection.Start, selection.End), start, length);
    PasteResult result;
    result.Text.reserve(current.size() - (end - start) + pasted.size());
    result.Text.append(current.substr(0, start));
    result.Text.append(pasted);
    result.Text.append(current.substr(end));
    result.Inserted = {start, start + static_cast<int>(pasted.size())};
    return result;
}

Rect TextRectFor(int clientWidth, int clientHeight, int fontPointSize, bool ctl3D, bool flat) {
    const int margin = ctl3D ? 0 : fontPointSize / 3;
    Rect r = flat ? Rect{margin + 4, 3, clientWidth - margin - 4, clientHeight - 4}
                  : Rect{margin, 0, clientWidth - margin, clientHeight};
    if (!ctl3D) {
        r.Left += 1;
        r.Right -= 1;
    }
    return r;
}

std::vector<Point> ZigzagPoints(int x0, int x1, int y) {
    std::vector<Point> points;
    bool up = false;
    for (int x = x0; x < x1; x += 3) {
        points.push_back({x, up ? y : y + 2});
        up = !up;
    }
    points.push_back({x1, up ? y : y + 2});
    return points;
}

} // namespace zel
