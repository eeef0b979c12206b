#include "htmltext/markup_text.h"

#include "htmltext/markup_chars.h"

namespace zel::markup {
namespace {

struct Entity {
    std::u16string_view name;
    std::u16string_view replacement;
};

// "&amp;" becomes two ampersands, which the text drawing shows as one.
constexpr Entity kTextEntities[] = {
    {u"&amp;", u"&&"},        {u"&quot;", u"\""},      {u"&sect;", u"\u00A7"},
    {u"&permil;", u"\u2030"}, {u"&reg;", u"\u00AE"},   {u"&copy;", u"\u00A9"},
    {u"&para;", u"\u00B6"},   {u"&trade;", u"\u2122"}, {u"&euro;", u"\u20AC"},
};

constexpr Entity kRunEntities[] = {{u"&nbsp;", u" "}, {u"&lt;", u"<"}, {u"&gt;", u">"}};

constexpr bool StartsWithExact(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// One left-to-right pass; returns whether anything was replaced. Every replacement is shorter
// than its entity, so repeating passes ends.
template <bool IgnoreCase, std::size_t N>
bool ReplaceOnce(std::u16string_view in, std::u16string& out, const Entity (&entities)[N]) {
    out.clear();
    bool changed = false;
    for (std::size_t i = 0; i < in.size();) {
        const Entity* hit = nullptr;
        if (in[i] == u'&') {
            for (const Entity& e : entities) {
                const auto rest = in.substr(i);
                if (IgnoreCase ? StartsWithNoCase(rest, e.name) : StartsWithExact(rest, e.name)) {
                    hit = &e;
                    break;
                }
            }
        }
        if (hit) {
            out.append(hit->replacement);
            i += hit->name.size();
            changed = true;
        } else {
            out.push_back(in[i++]);
        }
    }
    return changed;
}

// Each marker removes its "<" and the first ">" after it that an earlier marker has not
// already taken, as removing them one marker after the other would.
void RemoveMarkers(std::u16string_view in, std::u16string& out) {
    out.clear();
    std::size_t pending = 0;
    for (char16_t c : in) {
        if (c == u'>' && pending > 0) {
            --pending;
            continue;
        }
        if (c == u'#' && !out.empty() && out.back() == u'<') {
            out.pop_back();
            ++pending;
        }
        out.push_back(c);
    }
}

void ConvertLineEnds(std::u16string_view in, std::u16string& out) {
    out.clear();
    for (char16_t c : in) {
        if (c == u'\r')
            out.append(u"<BR>");
        else if (c != u'\n')
            out.push_back(c);
    }
}

} // namespace

std::u16string_view PrepareMarkup(std::u16string_view text, std::u16string& buffer) {
    bool ampersand = false, marker = false, lineEnd = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        ampersand |= c == u'&';
        marker |= c == u'<' && i + 1 < text.size() && text[i + 1] == u'#';
        lineEnd |= c == u'\r' || c == u'\n';
    }
    if (!ampersand && !marker && !lineEnd)
        return text;

    std::u16string scratch;
    buffer.assign(text);
    if (ampersand) {
        while (ReplaceOnce<true>(buffer, scratch, kTextEntities))
            buffer.swap(scratch);
    }
    if (buffer.find(u"<#") != std::u16string::npos) {
        RemoveMarkers(buffer, scratch);
        buffer.swap(scratch);
    }
    if (lineEnd) {
        ConvertLineEnds(buffer, scratch);
        buffer.swap(scratch);
    }
    return buffer;
}

std::u16string_view ReplaceRunEntities(std::u16string_view run, std::u16string& buffer) {
    if (run.find(u'&') == std::u16string_view::npos)
        return run;
    if (!ReplaceOnce<false>(run, buffer, kRunEntities))
        return run;
    return buffer;
}

} // namespace zel::markup
