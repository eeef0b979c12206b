#include "zelgrep/json.h"

#include <cstdio>

#include "core/chars.h"
#include "core/utf8.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel {

std::string JsonString(std::u16string_view text) {
    std::string result = "\"";
    std::u16string plain;
    auto flush = [&] {
        result += Utf16ToUtf8(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        if (pair) {
            plain += c;
            plain += text[++i];
        } else if (c == u'"' || c == u'\\') {
            flush();
            result += '\\';
            result += static_cast<char>(c);
        } else if (c < 0x20 || IsHighSurrogate(c) || IsLowSurrogate(c)) {
            flush();
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
            result += buffer;
        } else {
            plain += c;
        }
    }
    flush();
    return result + "\"";
}

std::string JsonMatch(const TZelRegExp& re, int line, int offset) {
    std::string json = "{";
    if (line > 0)
        json += "\"line\":" + std::to_string(line) + ",";
    json += "\"index\":" + std::to_string(re.Index() - offset) +
            ",\"length\":" + std::to_string(re.Length()) + ",\"groups\":[";
    for (int i = 1; i <= re.GroupCount(); ++i) {
        const TGroup& group = re.Groups().Items(i);
        if (i > 1)
            json += ",";
        json += group.Success() ? "[" + std::to_string(group.Index() - offset) + "," +
                                      std::to_string(group.Length()) + "]"
                                : std::string("null");
    }
    return json + "]}";
}

} // namespace zel
