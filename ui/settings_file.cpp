#include "ui/settings_file.h"

#include "core/chars.h"
#include "core/utf8.h"
#include "ui/text_lines.h"

#include <algorithm>
#include <cstdint>

namespace zel {

namespace {

std::u16string_view KeyOf(std::u16string_view line, bool& hasKey) {
    auto eq = line.find(u'=');
    hasKey = eq != std::u16string_view::npos;
    return hasKey ? line.substr(0, eq) : std::u16string_view{};
}

} // namespace

bool ParseSettingsInteger(std::u16string_view text, int& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.starts_with(u"0x") || text.starts_with(u"0X")) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == u'$' || text[0] == u'x' || text[0] == u'X')) {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    if (hex) {
        if (text.size() > 8)
            return false;
        uint32_t bits = 0;
        for (char16_t c : text) {
            int d = HexDigitValue(c);
            if (d < 0)
                return false;
            bits = (bits << 4) | static_cast<uint32_t>(d);
        }
        // Negating the 32-bit pattern wraps, as the pattern itself does.
        value = static_cast<int>(negative ? 0u - bits : bits);
        return true;
    }
    int64_t magnitude = 0;
    for (char16_t c : text) {
        if (!IsDecimalDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > 2147483648LL)
            return false;
    }
    int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

SettingsFile SettingsFile::FromBytes(std::string_view bytes) {
    SettingsFile file;
    Section* current = nullptr;
    for (const auto& raw : SplitLines(Utf8FileTextToUtf16(bytes))) {
        auto line = TrimBlanks(raw);
        if (line.empty() || line[0] == u';')
            continue;
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            file.sections_.push_back(
                {std::u16string(TrimBlanks(line.substr(1, line.size() - 2))), {}});
            current = &file.sections_.back();
            continue;
        }
        if (!current)
            continue;
        auto eq = line.find(u'=');
        if (eq == std::u16string_view::npos) {
            current->lines.emplace_back(line);
        } else {
            std::u16string entry(TrimBlanks(line.substr(0, eq)));
            entry += u'=';
            entry += TrimBlanks(line.substr(eq + 1));
            current->lines.push_back(std::move(entry));
        }
    }
    return file;
}

template <class Self>
auto* SettingsFile::FindSection(Self& self, std::u16string_view name) {
    auto it = std::find_if(self.sections_.begin(), self.sections_.end(),
                           [&](const Section& s) { return SameTextIgnoringCase(s.name, name); });
    return it == self.sections_.end() ? nullptr : &*it;
}

std::optional<std::u16string> SettingsFile::ReadString(std::u16string_view section,
                                                       std::u16string_view key) const {
    const Section* s = FindSection(*this, section);
    if (!s)
        return std::nullopt;
    for (const auto& line : s->lines) {
        bool hasKey;
        if (auto k = KeyOf(line, hasKey); hasKey && SameTextIgnoringCase(k, key))
            return line.substr(k.size() + 1);
    }
    return std::nullopt;
}

int SettingsFile::ReadInteger(std::u16string_view section, std::u16string_view key,
                              int defaultValue) const {
    const std::optional<std::u16string> text = ReadString(section, key);
    int value;
    return text && ParseSettingsInteger(*text, value) ? value : defaultValue;
}

void SettingsFile::WriteInteger(std::u16string_view section, std::u16string_view key, int value) {
    const std::string digits = std::to_string(value);
    WriteString(section, key, std::u16string(digits.begin(), digits.end()));
}

void SettingsFile::WriteString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value) {
    Section* s = FindSection(*this, section);
    if (!s) {
        sections_.push_back({std::u16string(section), {}});
        s = &sections_.back();
    }
    // A line break would start another entry or section in the file.
    std::u16string entry(key);
    entry += u'=';
    entry += value.substr(0, value.find_first_of(u"\r\n"));
    for (auto& line : s->lines) {
        bool hasKey;
        if (auto k = KeyOf(line, hasKey); hasKey && SameTextIgnoringCase(k, key)) {
            line = std::move(entry);
            return;
        }
    }
    s->lines.push_back(std::move(entry));
}

std::string SettingsFile::ToBytes() const {
    std::u16string text;
    for (const auto& s : sections_) {
        text += u'[';
        text += s.name;
        text += u"]\r\n";
        for (const auto& line : s.lines) {
            text += line;
            text += u"\r\n";
        }
        text += u"\r\n";
    }
    return "\xEF\xBB\xBF" + Utf16ToUtf8(text);
}

} // namespace zel
