#include "zelgrep/pattern.h"

#include "regex/zelregexp/zel_regexp.h"
#include "zelgrep/input.h"

namespace zel {

namespace {

// Adds the lines of text to patterns: LF ends a line, a CR before it is no part of it, and a
// final line end opens no further line.
void AddLines(std::u16string_view text, bool finalEndCloses,
              std::vector<std::u16string>& patterns) {
    std::size_t start = 0;
    while (true) {
        const std::size_t stop = text.find(u'\n', start);
        if (stop == std::u16string_view::npos) {
            if (start < text.size() || !finalEndCloses)
                patterns.emplace_back(text.substr(start));
            return;
        }
        const std::size_t end = stop > start && text[stop - 1] == u'\r' ? stop - 1 : stop;
        patterns.emplace_back(text.substr(start, end - start));
        start = stop + 1;
    }
}

std::u16string Alternation(const std::vector<std::u16string>& items) {
    std::u16string joined;
    for (std::size_t i = 0; i < items.size(); ++i)
        joined += (i == 0 ? u"" : u"|") + items[i];
    return joined;
}

std::u16string FixedStrings(const std::vector<std::u16string>& patterns) {
    std::vector<std::u16string> escaped;
    for (const auto& pattern : patterns)
        escaped.push_back(TZelRegExp::EscapeRegExChars(pattern));
    return Alternation(escaped);
}

std::u16string RegularExpressions(const std::vector<std::u16string>& patterns,
                                  const TGrepOptions& options) {
    if (patterns.size() == 1 && !options.WordRegexp && !options.LineRegexp)
        return patterns.front();
    std::vector<std::u16string> grouped;
    for (const auto& pattern : patterns) {
        TZelRegExp alone;
        ConfigureRegExp(alone, pattern, options);
        alone.Compile();
        grouped.push_back(u"(?:" + pattern + u")");
    }
    return patterns.size() == 1 ? grouped.front() : u"(?|" + Alternation(grouped) + u")";
}

} // namespace

std::vector<std::u16string> ReadPatterns(const std::vector<TPatternSource>& sources,
                                         bool splitLines) {
    std::vector<std::u16string> patterns;
    for (const auto& source : sources) {
        if (!source.FromFile) {
            if (splitLines)
                AddLines(source.Text, false, patterns);
            else
                patterns.push_back(source.Text);
            continue;
        }
        try {
            AddLines(ReadInputFile(source.Text, TEncoding::Utf8).Text, true, patterns);
        } catch (const Exception& e) {
            throw Exception(source.Text + u": " + e.Message());
        }
    }
    return patterns;
}

std::u16string BuildExpression(const std::vector<std::u16string>& patterns,
                               const TGrepOptions& options) {
    if (patterns.empty())
        return u"(?!)";
    const std::u16string any =
        options.FixedStrings ? FixedStrings(patterns) : RegularExpressions(patterns, options);
    if (options.LineRegexp)
        return u"\\A(?:" + any + u")\\z";
    if (options.WordRegexp)
        return u"(?<!\\w)(?:" + any + u")(?!\\w)";
    return any;
}

void ConfigureRegExp(TZelRegExp& re, std::u16string_view expression, const TGrepOptions& options) {
    re.SetIgnoreCase(options.IgnoreCase);
    re.SetIgnoreWidth(options.IgnoreWidth);
    re.SetIgnoreKana(options.IgnoreKana);
    re.SetExpression(expression);
    re.SetStepLimit(kStepLimit);
}

} // namespace zel
