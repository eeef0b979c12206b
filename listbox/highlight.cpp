#include "listbox/highlight.h"

#include <vector>

namespace zel {

namespace {

constexpr std::u16string_view kOpen = u"<hi>";
constexpr std::u16string_view kClose = u"</hi>";

} // namespace

std::u16string MarkHighlights(std::u16string_view text, std::u16string_view highlight,
                              const TextFolder& folder) {
    if (highlight.empty())
        return std::u16string(text);
    // The visible characters and, for each, its position in the text.
    std::u16string plain;
    std::vector<size_t> at;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            size_t close = text.find(u'>', i + 1);
            if (close == std::u16string_view::npos)
                break;
            i = close;
            continue;
        }
        plain += text[i];
        at.push_back(i);
    }
    // The folded text and, for each of its units, the visible character it comes from.
    std::u16string haystack;
    std::vector<size_t> from;
    folder.Fold(plain, haystack, &from);
    const std::u16string needle = folder.Fold(highlight);
    auto visibleAt = [&](size_t folded) {
        return folded < from.size() ? from[folded] : plain.size();
    };

    // Marks by the count of visible characters they follow; a count equal to the number of
    // visible characters means the end of the text.
    std::vector<std::pair<size_t, std::u16string_view>> marks;
    for (size_t start = 0; !needle.empty();) {
        size_t hit = haystack.find(needle, start);
        if (hit == std::u16string::npos)
            break;
        marks.emplace_back(visibleAt(hit), kOpen);
        marks.emplace_back(visibleAt(hit + needle.size()), kClose);
        start = hit + needle.size();
    }

    std::u16string marked;
    marked.reserve(text.size() + marks.size() * kClose.size());
    size_t copied = 0;
    for (const auto& [visible, tag] : marks) {
        // Right after the last visible character before the mark, ahead of any tags there;
        // marks made earlier at the same place stay ahead of this one.
        size_t position = visible == 0             ? 0
                          : visible < plain.size() ? at[visible - 1] + 1
                                                   : text.size();
        if (position > copied) {
            marked.append(text.substr(copied, position - copied));
            copied = position;
        }
        marked.append(tag);
    }
    marked.append(text.substr(copied));
    return marked;
}

} // namespace zel
