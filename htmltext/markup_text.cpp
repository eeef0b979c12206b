#include "htmltext/markup_text.h"

#include "htmltext/markup_chars.h"

#include <algorithm>
#include <iterator>

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

// The whole-text entities, case-insensitive, in one pass that gives what repeating passes
// until none is left gives. A replacement can begin a new entity only with an ampersand it
// ends in (the second one of "&amp;"): that ampersand is read again, with the text after it,
// before the pass moves on. No other character of a replacement can be part of an entity.
void ReplaceTextEntities(std::u16string_view in, std::u16string& out) {
    out.clear();
    bool pending = false; // an ampersand of a replacement stands before in[i]
    for (std::size_t i = 0; pending || i < in.size();) {
        if (!pending && in[i] != u'&') {
            out.push_back(in[i++]);
            continue;
        }
        if (!pending)
            ++i;
        pending = false;
        const auto rest = in.substr(i);
        const auto hit = std::find_if(
            std::begin(kTextEntities), std::end(kTextEntities),
            [rest](const Entity& e) { return StartsWithNoCase(rest, e.name.substr(1)); });
        if (hit == std::end(kTextEntities)) {
            out.push_back(u'&');
            continue;
        }
        i += hit->name.size() - 1;
        pending = hit->replacement.back() == u'&';
        out.append(hit->replacement.substr(0, hit->replacement.size() - (pending ? 1 : 0)));
    }
}

// The run entities: one left-to-right pass, exact case; returns whether anything was replaced.
bool ReplaceRunEntitiesOnce(std::u16string_view in, std::u16string& out) {
    out.clear();
    bool changed = false;
    for (std::size_t i = 0; i < in.size();) {
        const Entity* hit = nullptr;
        if (in[i] == u'&') {
            for (const Entity& e : kRunEntities) {
                if (StartsWithExact(in.substr(i), e.name)) {
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
        ReplaceTextEntities(buffer, scratch);
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
    if (!ReplaceRunEntitiesOnce(run, buffer))
        return run;
    return buffer;
}

} // namespace zel::markup
